#include "ui/main/CtrlToolDlg.h"

#include "app/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"
#include "settings/ModelCommands.h"
#include "ui/ControlModel.h"
#include "ui/main/ComboCodes.h"
#include "ui/main/ControlIds.h"
#include "ui/main/MenuTable.h"
#include "ui/main/ModelLayout.h"
#include "ui/main/PageInventory.h"

namespace vr::ui {
namespace {

CCtrlToolDlg* gMainWindow = nullptr;

constexpr int kProbeTimeoutMs = 1000;
constexpr int kAreaTimeoutMs = 5000;

protocol::ParameterTable& Table() {
    return protocol::ParameterTable::Instance();
}
protocol::Command& Engine() {
    return protocol::Command::Instance();
}

}  // namespace

CCtrlToolDlg::CCtrlToolDlg(IControlAccess& controls, link::ILineControl& line)
    : controls_(controls),
      line_(line),
      rates_(
          line, [this] { return ModelProbe(); }, [this](int index) { SelectCommunicationBaud(index); }),
      display_(controls) {
    gMainWindow = this;
    Table().CommitDataValues();
}

CCtrlToolDlg::~CCtrlToolDlg() {
    protocol::OnlineStatusBroadcaster::Instance().Unregister(this);
    protocol::DialogRegistry::Instance().Remove(this);
    if (gMainWindow == this) gMainWindow = nullptr;
}

CCtrlToolDlg* CCtrlToolDlg::MainWindow() {
    return gMainWindow;
}

void CCtrlToolDlg::SetStripPicture(int32_t picture) {
    controls_.SetPicture(kMainStatusStrip, picture);
}

void CCtrlToolDlg::EnableWindow(bool enable) {
    windowEnabled_ = enable;
    EnableMainWindow(enable);
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

void CCtrlToolDlg::PrepareWindow() {
    initialised_ = true;
    protocol::OnlineStatusBroadcaster::Instance().Register(this);
    protocol::DialogRegistry::Instance().Add(this);
    SetWindowTitle(kWindowTitle);
    CreateWindows();
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
    ShowTabs(BuildTabs());
    ShowPage(0);
    EnableUtilityMenu(FactoryMode());
    WriteChangedValues();
    Table().CommitDataValues();
    AdaptCommunicationDialog(controlMode_);
}

void CCtrlToolDlg::QueryCurrentArea() {
    int32_t area = 0;
    if (Engine().QueryInt(protocol::cmd::EA, area, kAreaTimeoutMs) == 1) currentArea_ = static_cast<uint32_t>(area);
}

int CCtrlToolDlg::ModelProbe() {
    std::string name;
    if (Engine().QueryString(protocol::cmd::MD, name, kProbeTimeoutMs) != 1) return 0;
    settings::CameraModel& model = settings::TheCameraModel();
    if (name == settings::kModelNameKB) {
        model.kind = settings::kModelKB;
    } else if (name == settings::kModelNameKA) {
        model.kind = settings::kModelKA;
    } else {
        model.kind = settings::kModelUnknown;
        app::Platform().MessageBox("Unsupported model: \"" + name + "\"", app::kAppTitle, app::MsgIcon::Exclamation);
    }
    model.name = name;
    return 1;
}

int CCtrlToolDlg::Connect() {
    if (line_.Reopen() != 1) {
        // A device that does not open at the start rate opens at no other: flushing and searching
        // would only repeat the link's message ten times.
        app::Platform().MessageBox("Failed to initialize!", app::kAppTitle, app::MsgIcon::Exclamation);
        return 0;
    }
    // The area is asked only of a camera that answered, wherever it was found; asking a silent line
    // costs a whole time-out and leaves the area unknown anyway.
    int result = ModelProbe();
    if (result == 1) QueryCurrentArea();
    rates_.FlushLine();
    if (result == 0) {
        result = rates_.SearchRate();
        if (result == 1) QueryCurrentArea();
    }
    return result;
}

void CCtrlToolDlg::ReadAllSettings() {
    protocol::DialogRegistry::Instance().DisableAll();
    ModelProbe();
    ApplyModelLayout();
    lastRead_ = settings::ReadParameterRows(settings::TheCameraModel().kind, FactoryMode());
    ActivateMainWindow();
    ShowAllValues();
    Table().CommitDataValues();
    WriteChangedValues();
    Table().CommitDataValues();
    ShowAllValues();
    ApplyModeEnabling();
    UpdateLineRateDisplays();
    RefreshChromaticAberration();
    protocol::DialogRegistry::Instance().EnableAll();
}

void CCtrlToolDlg::ApplyModelLayout() {
    ui::ApplyModelLayout(controls_, settings::TheCameraModel().kind);
}

void CCtrlToolDlg::ToggleControlMode() {
    controlMode_ = FactoryMode() ? kControlModeUser : kControlModeFactory;
    ApplyControlMode();
    int32_t area = 0;
    if (Engine().QueryInt(protocol::cmd::EA, area, kAreaTimeoutMs) != 1) return;
    currentArea_ = static_cast<uint32_t>(area);
    ReadAllSettings();
}

void CCtrlToolDlg::OnTabSelected(int tabIndex) {
    const std::vector<TabItem> tabs = BuildTabs();
    if (tabIndex < 0 || tabIndex >= static_cast<int>(tabs.size())) return;
    ShowPage(tabs[tabIndex].pageIndex);
}

KeyTranslation CCtrlToolDlg::OnKey(int vk, bool shift, bool ctrl, uint32_t focusedId, bool comboDroppedDown) {
    switch (keySequence_.Feed(vk, shift, ctrl)) {
        case FactoryKeySequence::Step::Armed:
            return {kVkF12, false};
        case FactoryKeySequence::Step::Complete:
            ToggleControlMode();
            break;
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
    return app::Platform().MessageBox("Are you sure to terminate the Camera Control Tool ?", "Confirm",
                                      app::MsgIcon::Question, app::MsgButtons::YesNo) == app::MsgResult::Yes;
}

void CCtrlToolDlg::OnClose() {
    if (!CanClose()) return;
    closed_ = true;
    CloseWindow();
}

void CCtrlToolDlg::OnDestroy() {
    line_.Close();
    DestroyWindows();
    protocol::OnlineStatusBroadcaster::Instance().Unregister(this);
    protocol::DialogRegistry::Instance().Remove(this);
    initialised_ = false;
}

void CCtrlToolDlg::OnMenuCommand(uint32_t id) {
    const MenuItem* item = FindMenuItem(id);
    if (item == nullptr) return;
    switch (item->action) {
        case MenuAction::OpenSettingsFile:
            OpenSettingsFile();
            break;
        case MenuAction::SaveAllData:
            SaveAllData();
            break;
        case MenuAction::SaveShippingData:
            SaveShippingData();
            break;
        case MenuAction::Exit:
            OnClose();
            break;
        case MenuAction::Reload:
            QueryCurrentArea();
            ReadAllSettings();
            break;
        case MenuAction::LoadSettings:
            LoadSettingsFromArea();
            break;
        case MenuAction::StoreSettings:
            StoreSettingsToArea();
            break;
        case MenuAction::EditUserId:
            // The Utility menu is greyed outside factory mode; a stray command does nothing there.
            if (FactoryMode()) EditUserId();
            break;
        case MenuAction::EditCameraId:
            if (FactoryMode()) EditCameraId();
            break;
        case MenuAction::OpenLutFile:
            OpenLutFile();
            break;
        case MenuAction::SaveLutFile:
            SaveLutFile();
            break;
        case MenuAction::LoadAllLutTables:
            LoadAllLutTables();
            break;
        case MenuAction::About:
            ShowAbout();
            break;
        case MenuAction::OpenCommunicationDialog:
            ShowCommunicationDialog();
            break;
    }
}

}  // namespace vr::ui
