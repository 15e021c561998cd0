#include "ui/main/CtrlToolDlg.h"

#include <algorithm>
#include <ctime>

#include "app/ControlMode.h"
#include "app/LongOperation.h"
#include "app/Platform.h"
#include "link/CommSetting.h"
#include "link/LineControl.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/Link.h"
#include "protocol/ParameterTable.h"
#include "settings/MemoryAreas.h"
#include "settings/ModelCommands.h"
#include "ui/ControlModel.h"
#include "ui/main/ComboCodes.h"
#include "ui/main/ControlIds.h"
#include "ui/main/MenuTable.h"
#include "ui/main/ModelLayout.h"
#include "ui/main/PageInventory.h"

namespace vr::ui {
namespace {

constexpr protocol::milliseconds kProbeTimeout(1000);

std::string LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = "";
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local) == 0)
        return "an unknown time";
    return text;
}

}  // namespace

CCtrlToolDlg::CCtrlToolDlg(app::Services& services, IControlAccess& controls, IMainWindowView& view)
    : services_(services),
      controls_(controls),
      view_(view),
      rates_(
          services.line, services.engine,
          [this] {
              const std::string step = "Searching for the camera at " +
                                       std::to_string(link::CCommSetting::BaudIndexToRate(Line().GetBaudIndex())) +
                                       " bit/s\u2026";
              view_.ShowStatusText(step);
              WaitNotice::ScopedStep shown(notice_, step);
              return ModelProbe();
          },
          [this](int index) { view_.ShowCommunicationRate(index); }),
      display_(controls, services.table),
      notice_(services.engine) {
    display_.SetCommandFilter(
        [this](uint32_t cmdId) { return settings::IsCommandOnModel(cmdId, services_.model.kind); });
    Table().CommitDataValues();
}

CCtrlToolDlg::~CCtrlToolDlg() {
    services_.status.Unregister(this);
    services_.dialogs.Remove(this);
}

void CCtrlToolDlg::SetStripPicture(int32_t picture) {
    controls_.SetPicture(kMainStatusStrip, picture);
    // Back online, an offer to reconnect has done its work.
    if (picture == protocol::kStripOnline) reconnectOffer_.clear();
    RefreshOfflineBanner();
}

void CCtrlToolDlg::RefreshOfflineBanner() {
    view_.ShowOfflineBanner(services_.status.IsOnline() ? std::string() : OfflineBannerText());
}

void CCtrlToolDlg::OfferReconnect(const std::string& device) {
    reconnectOffer_ = device;
    RefreshOfflineBanner();
}

std::string CCtrlToolDlg::OfflineBannerText() const {
    std::string text = lastReadModel_.empty()
                           ? "Offline: no camera has been read; the values shown are the tool's defaults"
                           : "Offline: the values shown were read from " + lastReadModel_ + " at " + lastReadTime_;
    if (Engine().LinkLost()) text += "; the line to the camera went away (" + Engine().Link()->LostReason() + ")";
    if (!reconnectOffer_.empty()) text += "\n" + reconnectOffer_ + " is there again: reconnect to read the camera.";
    return text;
}

void CCtrlToolDlg::EnableWindow(bool enable) {
    windowEnabled_ = enable;
    view_.EnableWindow(enable);
}

bool CCtrlToolDlg::OnInitDialog() {
    PrepareWindow();
    const int found = Connect();
    if (found != 1) {
        Table().CommitDataValues();
        ShowAllValues();
        return true;
    }
    RaiseLine();
    ReadAllSettings();
    Table().CommitDataValues();
    ShowAllValues();
    return true;
}

int CCtrlToolDlg::Reconnect() {
    services_.line.Close();
    // A replugged adapter may have a new device node; the remembered stable name finds it.
    services_.line.GetPortCount();
    const int found = Connect();
    if (found == 1) {
        RaiseLine();
        ReadAllSettings();
    }
    Table().CommitDataValues();
    ShowAllValues();
    return found;
}

void CCtrlToolDlg::PrepareWindow() {
    initialised_ = true;
    services_.status.Register(this);
    services_.dialogs.Add(this);
    view_.SetTitle(kWindowTitle);
    view_.CreateWindows();
    ApplySpinRanges();
    ApplyComboCodes(controls_);
    // The editors start from their rows' defaults; afterwards they show what the camera holds.
    display_.ShowAllValues(true);
    ApplyControlMode();
}

void CCtrlToolDlg::ApplySpinRanges() {
    const auto& table = Table();
    for (size_t i = 0; i < table.Size(); ++i) {
        const protocol::ParameterDef& def = *table.Row(i).def;
        if (def.controlKind != protocol::ControlKind::SpinEdit) continue;
        const uint32_t spin = SpinOf(def.ctrlId);
        if (spin == 0 || !controls_.Exists(def.ctrlId) || !controls_.Exists(spin)) continue;
        controls_.SetSpinRange(spin, def.minValue, def.maxValue);
    }
}

std::vector<TabItem> CCtrlToolDlg::BuildTabs() const {
    std::vector<TabItem> tabs;
    for (const PageInfo& page : Pages())
        if (FactoryMode() || !page.factoryOnly) tabs.push_back({page.index, page.title});
    return tabs;
}

void CCtrlToolDlg::ApplyControlMode() {
    view_.ShowTabs(BuildTabs());
    view_.ShowPage(0);
    view_.EnableFactoryMenuItems(FactoryMode());
    WriteChangedValues();
    Table().CommitDataValues();
    view_.AdaptCommunicationDialog(controlMode_);
}

int CCtrlToolDlg::QueryCurrentArea() {
    int32_t area = 0;
    if (settings::MemoryAreas(services_).QueryArea(area) != 1) return 0;
    currentArea_ = static_cast<uint32_t>(area);
    areaKnown_ = true;
    view_.ShowCurrentArea(currentArea_);
    return 1;
}

int CCtrlToolDlg::ModelProbe() {
    std::string name;
    if (Engine().QueryString(protocol::cmd::MD, name, kProbeTimeout) != 1) return 0;
    settings::CameraModel& model = services_.model;
    if (name == settings::kModelNameKB) {
        model.kind = settings::kModelKB;
    } else if (name == settings::kModelNameKA) {
        model.kind = settings::kModelKA;
    } else {
        model.kind = settings::kModelUnknown;
        services_.platform.MessageBox("Unsupported model: \"" + name + "\"", app::kAppTitle, app::MsgIcon::Exclamation);
    }
    model.name = name;
    return 1;
}

int CCtrlToolDlg::Connect() {
    if (services_.line.Reopen() != 1) {
        // A device that does not open at the start rate opens at no other: flushing and searching
        // would only repeat the message ten times. The serial port link has told the operator
        // which step failed and why; the Camera Link libraries say nothing of their own.
        if (services_.line.GetMode() != link::ComPort && services_.line.GetMode() != link::Network)
            services_.platform.MessageBox("Failed to initialize!", app::kAppTitle, app::MsgIcon::Exclamation);
        view_.ShowStatusText("The port did not open; the tool is offline.");
        return 0;
    }
    // The area is asked only of a camera that answered, wherever it was found; asking a silent line
    // costs a whole time-out and leaves the area unknown anyway.
    int result = ModelProbe();
    if (result == 1) QueryCurrentArea();
    const int answeredAt = Line().GetBaudIndex();
    rates_.FlushLine();
    // The flush leaves the line at 9600 bit/s. A camera that answered at another rate (one the tool
    // raised before a reconnect) is still there: the line goes back to it, or the raise would talk
    // to it at a rate it does not listen at.
    if (result == 1 && Line().GetBaudIndex() != answeredAt) {
        Line().OpenBaud(link::CCommSetting::BaudIndexToRate(answeredAt));
        view_.ShowCommunicationRate(answeredAt);
    }
    if (result == 0) {
        result = rates_.SearchRate();
        if (result == 1) QueryCurrentArea();
    }
    return result;
}

void CCtrlToolDlg::ReadAllSettings() {
    protocol::ScopedDialogsDisabled greyed(services_.dialogs);
    ModelProbe();
    ApplyModelLayout();
    lastRead_ = settings::ReadParameterRows(services_, services_.model.kind, FactoryMode());
    if (std::any_of(lastRead_.rows.begin(), lastRead_.rows.end(),
                    [](const settings::RowReadResult& r) { return r.answered; }))
        SetLastReadAt(services_.model.name, LocalTimeNow());
    view_.Activate();
    ReportEndedRead();
    ShowAllValues();
    Table().CommitDataValues();
    WriteChangedValues();
    Table().CommitDataValues();
    ShowAllValues();
    ApplyModeEnabling();
    UpdateLineRateDisplays();
    // A read that ended early sends nothing more.
    if (!lastRead_.Ended()) RefreshChromaticAberration();
}

void CCtrlToolDlg::ReportEndedRead() {
    const int done = static_cast<int>(std::count_if(lastRead_.rows.begin(), lastRead_.rows.end(),
                                                    [](const settings::RowReadResult& r) { return r.answered; }));
    const int planned = static_cast<int>(lastRead_.planned);
    const int queried = static_cast<int>(lastRead_.rows.size());
    if (lastRead_.stopped) {
        services_.platform.MessageBox(app::LongOperation::StoppedText(queried, planned, "settings"), app::kAppTitle,
                                      app::MsgIcon::Information);
    } else if (lastRead_.lost) {
        services_.platform.MessageBox("The line to the camera went away (" + Engine().Link()->LostReason() + "); " +
                                          std::to_string(done) + " of " + std::to_string(planned) +
                                          " settings were read.",
                                      app::kAppTitle, app::MsgIcon::Exclamation);
    } else if (lastRead_.silent) {
        services_.platform.MessageBox("The camera stopped answering (" + std::to_string(settings::kMaxTimeoutsInARow) +
                                          " settings in a row); " + std::to_string(done) + " of " +
                                          std::to_string(planned) + " settings were read.",
                                      app::kAppTitle, app::MsgIcon::Exclamation);
    }
}

void CCtrlToolDlg::ApplyModelLayout() {
    ui::ApplyModelLayout(controls_, services_.model.kind);
}

void CCtrlToolDlg::ToggleControlMode() {
    controlMode_ = FactoryMode() ? kControlModeUser : kControlModeFactory;
    ApplyControlMode();
    if (QueryCurrentArea() != 1) return;
    ReadAllSettings();
}

void CCtrlToolDlg::OnTabSelected(int tabIndex) {
    const std::vector<TabItem> tabs = BuildTabs();
    if (tabIndex < 0 || tabIndex >= static_cast<int>(tabs.size())) return;
    view_.ShowPage(tabs[tabIndex].pageIndex);
}

KeyTranslation CCtrlToolDlg::OnKey(int vk, bool shift, bool ctrl, uint32_t focusedId, bool comboDroppedDown) {
    switch (keySequence_.Feed(vk, shift, ctrl)) {
        case FactoryKeySequence::Step::Armed:
        case FactoryKeySequence::Step::Advanced:
            // The letters of the code are used up: none of them lands in the focused edit.
            return {kVkF12, false};
        case FactoryKeySequence::Step::Complete:
            ToggleControlMode();
            return {kVkF12, false};
        default:
            break;
    }
    FocusKind focus = FocusKind::Other;
    switch (display_.KindOf(focusedId)) {
        case CtrlType::Edit:
            focus = FocusKind::Edit;
            break;
        case CtrlType::Combo:
            focus = FocusKind::Combo;
            break;
        case CtrlType::Button:
            focus = FocusKind::Button;
            break;
        default:
            break;
    }
    const KeyTranslation t = TranslateKey(vk, focus, comboDroppedDown);
    if (t.applyEdit) OnEdit(focusedId);
    return t;
}

bool CCtrlToolDlg::CanClose() {
    if (closeWithoutConfirm_) return true;
    return services_.platform.MessageBox("Are you sure to terminate the Camera Control Tool ?", "Confirm",
                                         app::MsgIcon::Question, app::MsgButtons::YesNo) == app::MsgResult::Yes;
}

void CCtrlToolDlg::OnClose() {
    if (!CanClose()) return;
    closed_ = true;
    view_.Close();
}

void CCtrlToolDlg::OnDestroy() {
    services_.line.Close();
    view_.DestroyWindows();
    services_.status.Unregister(this);
    services_.dialogs.Remove(this);
    initialised_ = false;
}

void CCtrlToolDlg::ReportNotAvailable() {
    services_.platform.MessageBox(FeatureRouter::kNotAvailableText, app::kAppTitle, app::MsgIcon::Information);
}

void CCtrlToolDlg::OnMenuCommand(uint32_t id) {
    const MenuItem* item = FindMenuItem(id);
    if (item == nullptr) return;
    switch (item->action) {
        case MenuAction::Exit:
            OnClose();
            return;
        case MenuAction::Reload:
            QueryCurrentArea();
            ReadAllSettings();
            return;
        case MenuAction::OpenCommunicationDialog:
            if (!view_.ShowSecondary(SecondaryWindow::Communication, true)) ReportNotAvailable();
            return;
        case MenuAction::OpenTerminal:
            if (!view_.ShowSecondary(SecondaryWindow::Terminal, true)) ReportNotAvailable();
            return;
        case MenuAction::EditUserId:
        case MenuAction::EditCameraId:
            // Factory functions, greyed outside factory mode; a stray command does nothing there.
            if (!FactoryMode()) return;
            break;
        default:
            break;
    }
    if (!router_.RunMenuCommand(id)) ReportNotAvailable();
}

}  // namespace vr::ui
