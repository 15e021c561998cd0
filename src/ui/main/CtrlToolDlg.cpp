#include "ui/main/CtrlToolDlg.h"

#include <algorithm>
#include <ctime>

#include "camera/LongOperation.h"
#include "camera/MemoryAreas.h"
#include "camera/ModelCommands.h"
#include "link/CommSetting.h"
#include "link/LineControl.h"
#include "platform/ControlMode.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/ControlIds.h"
#include "protocol/Link.h"
#include "protocol/ParameterTable.h"
#include "ui/ControlModel.h"
#include "ui/main/EnablingRules.h"
#include "ui/main/ListCodes.h"
#include "ui/main/MenuTable.h"
#include "ui/main/ModelLayout.h"
#include "ui/main/PageInventory.h"

namespace vr::ui {

CCtrlToolDlg::CCtrlToolDlg(camera::CameraSession& session, platform::IControlAccess& controls, IMainWindowView& view)
    : CCtrlToolDlg(nullptr, &session, controls, view) {}

CCtrlToolDlg::CCtrlToolDlg(camera::Services& services, platform::IControlAccess& controls, IMainWindowView& view)
    : CCtrlToolDlg(std::make_unique<camera::CameraSession>(services), nullptr, controls, view) {}

CCtrlToolDlg::CCtrlToolDlg(std::unique_ptr<camera::CameraSession> own, camera::CameraSession* session,
                           platform::IControlAccess& controls, IMainWindowView& view)
    : ownSession_(std::move(own)),
      session_(session != nullptr ? *session : *ownSession_),
      services_(session_.Services()),
      controls_(controls),
      view_(view),
      display_(controls, services_.table),
      notice_(services_.engine) {
    display_.SetCommandFilter([this](uint32_t cmdId) { return session_.HasCommand(cmdId); });
    Table().CommitDataValues();
    session_.AddListener(*this);
}

void CCtrlToolDlg::ShowLoadedLayout() {
    ApplyModelLayout();
    ApplyModeEnabling();
    UpdateLineRateDisplays();
}

void CCtrlToolDlg::EnableChromaticEditors(bool enable) {
    ui::EnableChromaticEditors(controls_, enable);
}

std::array<std::string, 3> CCtrlToolDlg::VersionTexts() const {
    const auto& boxes = protocol::id::kXmlVersionDigits;
    return {controls_.GetText(boxes[0]), controls_.GetText(boxes[1]), controls_.GetText(boxes[2])};
}

void CCtrlToolDlg::ShowVersionTexts(const std::array<std::string, 3>& texts) {
    for (size_t i = 0; i < texts.size(); ++i) controls_.SetText(protocol::id::kXmlVersionDigits[i], texts[i]);
}

void CCtrlToolDlg::OnArea(uint32_t area) {
    view_.ShowCurrentArea(area);
}

void CCtrlToolDlg::OnLineRate(int baudIndex) {
    view_.ShowCommunicationRate(baudIndex);
}

void CCtrlToolDlg::OnStartUpStep(const std::string& text) {
    if (!text.empty()) view_.ShowStatusText(text);
    notice_.SetStep(text);
}

CCtrlToolDlg::~CCtrlToolDlg() {
    session_.RemoveListener(*this);
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
    std::string text =
        session_.LastReadModel().empty()
            ? "Offline: no camera has been read; the values shown are the tool's defaults"
            : "Offline: the values shown were read from " + session_.LastReadModel() + " at " + session_.LastReadTime();
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
    view_.AdaptCommunicationDialog(ControlMode());
}

int CCtrlToolDlg::QueryCurrentArea() {
    return session_.QueryCurrentArea();
}

int CCtrlToolDlg::ModelProbe() {
    return session_.ModelProbe();
}

int CCtrlToolDlg::Connect() {
    const int found = session_.Connect();
    if (found != 1 && !session_.PortOpened()) view_.ShowStatusText("The port did not open; the tool is offline.");
    return found;
}

void CCtrlToolDlg::ReadAllSettings() {
    protocol::ScopedDialogsDisabled greyed(services_.dialogs);
    const camera::RowsRead& read = session_.ReadAllSettings();
    ApplyModelLayout();
    view_.Activate();
    session_.ReportEndedRead();
    ShowAllValues();
    ApplyModeEnabling();
    UpdateLineRateDisplays();
    // A read that ended early sends nothing more.
    if (!read.Ended()) RefreshChromaticAberration();
}

void CCtrlToolDlg::ApplyModelLayout() {
    ui::ApplyModelLayout(controls_, services_.model.kind);
}

void CCtrlToolDlg::ToggleControlMode() {
    session_.SetFactoryMode(!FactoryMode());
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
                                         platform::MsgIcon::Question,
                                         platform::MsgButtons::YesNo) == platform::MsgResult::Yes;
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
    services_.platform.MessageBox(FeatureRouter::kNotAvailableText, platform::kAppTitle,
                                  platform::MsgIcon::Information);
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
