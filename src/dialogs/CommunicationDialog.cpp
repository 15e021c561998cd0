#include "dialogs/CommunicationDialog.h"

#include <vector>

#include "camera/MemoryAreas.h"
#include "camera/Services.h"
#include "camera/WaitCancel.h"
#include "link/CommSetting.h"
#include "link/LineControl.h"
#include "platform/ControlAccess.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/TrafficLog.h"

namespace vr::dialogs {

using namespace comm;
namespace {

void FillList(platform::IControlAccess& controls, uint32_t id, const auto& items) {
    controls.ClearItems(id);
    for (const char* item : items) controls.AddItem(id, item);
}

}  // namespace

CCommunicationDialog::CCommunicationDialog(camera::Services& services, platform::IControlAccess& controls,
                                           platform::IDialogFrame& frame, CommunicationHooks hooks,
                                           LogFolderStore folder, bool shutdownWasClean)
    : services_(services),
      controls_(controls),
      frame_(frame),
      line_(services.line),
      hooks_(std::move(hooks)),
      rates_(
          services.line, services.engine, [this] { return ModelProbe(); }, [this](int index) { SelectBaud(index); }),
      folder_(std::move(folder)) {
    // A crashed run may have been brought down by a frame grabber's library: the next one starts on
    // the serial port. The network link loads no library of anybody's, so it stays chosen (and a
    // first run, whose store holds no clean shutdown yet, keeps the address it was given).
    if (!shutdownWasClean && line_.GetMode() != link::Network) line_.SetMode(link::ComPort);
}

CCommunicationDialog::~CCommunicationDialog() {
    services_.status.Unregister(this);
    services_.dialogs.Remove(this);
    if (initialised_) services_.traffic.SetMessageSink(nullptr);
}

void CCommunicationDialog::Init() {
    initialised_ = true;
    services_.status.Register(this);
    services_.dialogs.Add(this);
    services_.traffic.SetMessageSink([this](const std::string& text) { AddMessage(text); });

    FillList(controls_, kCategory, kCategoryItems);
    FillList(controls_, kBaudRate, kBaudItems);
    FillList(controls_, kArea, kAreaItems);
    controls_.Enable(kBaudRate, false);
    controls_.Show(kAuto, false);
    controls_.Enable(kAuto, false);
    controls_.Enable(kWriteSettingsFile, static_cast<bool>(hooks_.saveSettingsFile));
    controls_.Enable(kReadSettingsFile, static_cast<bool>(hooks_.loadSettingsFile));
    // A dialog opened after the camera answered shows it at once, like its strip.
    OnStatusChanged(services_.status.IsOnline() ? 1 : 0);

    controls_.SetSelection(kCategory, static_cast<int>(line_.GetMode()));
    FillPortList();
    controls_.SetSelection(kBaudRate, line_.GetBaudIndex());
    RefreshStoreButton();
    controls_.SetSelection(kArea, 1);
}

void CCommunicationDialog::Show() {
    frame_.ShowWindow(true);
}

void CCommunicationDialog::OnClose() {
    frame_.ShowWindow(false);
}

void CCommunicationDialog::AddMessage(const std::string& text) {
    // A full log drops its oldest entry: what is happening now matters more than the start.
    controls_.AddItemBounded(kMessages, text, kMaxMessages);
}

void CCommunicationDialog::SelectBaud(int index) {
    controls_.SetSelection(kBaudRate, index);
}

void CCommunicationDialog::RefreshStoreButton() {
    const int area = controls_.Selection(kArea);
    const bool factoryMode = hooks_.controlMode && hooks_.controlMode() == 1;
    controls_.Enable(kStore, (area >= 1 && area <= 3) || (area == 0 && factoryMode));
}

void CCommunicationDialog::OnStatusChanged(int32_t status) {
    controls_.SetPicture(kStatusIcon, status == 0 ? kIconOffline : kIconOnline);
    controls_.SetText(kStatusText, status == 0 ? "Offline" : "Online");
}

void CCommunicationDialog::FillPortList() {
    controls_.ClearItems(kPortName);
    const int n = line_.GetPortCount();
    for (int i = 0; i < n; ++i) controls_.AddItem(kPortName, line_.GetPortName(i));
    const uint32_t stored = line_.GetPortIndex();
    // An adapter that is not plugged in is not replaced by whatever port now has its number: the
    // list chooses nothing until the operator does.
    if (!line_.AbsentRememberedDevice().empty()) {
        controls_.SetSelection(kPortName, -1);
    } else if (stored < static_cast<uint32_t>(n > 0 ? n : 0)) {
        controls_.SetSelection(kPortName, static_cast<int>(stored));
    } else {
        line_.OpenPort(0);
        controls_.SetSelection(kPortName, 0);
    }
}

int CCommunicationDialog::ModelProbe() {
    return hooks_.modelProbe ? hooks_.modelProbe() : 0;
}

void CCommunicationDialog::ReadAllSettings() {
    if (hooks_.readAllSettings) hooks_.readAllSettings();
}

void CCommunicationDialog::OnCategoryChanged() {
    const int mode = controls_.Selection(kCategory);
    if (mode < 0) return;
    // The network choice without an address waits for one to be typed into the port box.
    bool awaitsAddress = false;
    if (mode == link::Network) {
        line_.SetMode(link::Network);
        awaitsAddress = line_.GetPortCount() == 0;
    }
    if (awaitsAddress)
        line_.Close();
    else if (line_.OpenMode(static_cast<uint32_t>(mode)) == 0)
        services_.platform.MessageBox("Failed to initialize!", platform::kAppTitle, platform::MsgIcon::Exclamation);
    FillPortList();
    if (ModelProbe() == 1) ReadAllSettings();
}

void CCommunicationDialog::OnPortChanged() {
    const int index = controls_.Selection(kPortName);
    if (index < 0) return;
    line_.OpenPort(static_cast<uint32_t>(index));
    NegotiateBaudRate();
}

void CCommunicationDialog::OnPortTyped(const std::string& path) {
    const int index = path.empty() ? -1 : line_.AddDevicePath(path);
    if (index < 0) {
        // Nothing to open by that name: show the port in use again.
        FillPortList();
        return;
    }
    FillPortList();
    controls_.SetSelection(kPortName, index);
    OnPortChanged();
}

void CCommunicationDialog::NegotiateBaudRate() {
    rates_.FlushLine();
    const bool answered = ModelProbe() == 1 || rates_.SearchRate() == 1;
    if (!answered) return;
    rates_.RaiseLine();
    ReadAllSettings();
}

void CCommunicationDialog::OnGetArea() {
    int32_t area = -1;
    if (camera::MemoryAreas(services_).QueryArea(area) != 1) area = -1;
    ShowArea(area);
}

void CCommunicationDialog::ShowArea(int32_t area) {
    controls_.SetText(kAreaName, camera::MemoryAreas::IsArea(area) ? kAreaItems[area] : "Unkown");
}

void CCommunicationDialog::OnStore() {
    const int area = controls_.Selection(kArea);
    if (!camera::MemoryAreas::IsArea(area)) return;
    platform::IPlatform& platform = services_.platform;
    platform.ProgressOpen("Now, Storing camera data.");
    if (camera::MemoryAreas(services_).Store(area, camera::MemoryAreas::kDialogStoreTimeout) == 1) {
        platform.MessageBox("Completed to store current setting data!", platform::kAppTitle,
                            platform::MsgIcon::Information);
        platform.ProgressFinish();
        return;
    }
    platform.ProgressFinish();
    // A refusal has been told by the engine; a wait the operator stopped is told here.
    const protocol::Failure& failure = services_.engine.LastFailure();
    if (failure.kind == protocol::FailureKind::Cancelled)
        platform.MessageBox(camera::WaitCancel::StoppedText(failure.command), platform::kAppTitle,
                            platform::MsgIcon::Information);
}

void CCommunicationDialog::OnLoad() {
    const int area = controls_.Selection(kArea);
    if (!camera::MemoryAreas::IsArea(area)) return;
    if (camera::MemoryAreas(services_).Load(area) == 1) ReadAllSettings();
}

void CCommunicationDialog::OnWriteSettingsFile() {
    if (hooks_.saveSettingsFile) hooks_.saveSettingsFile();
}

void CCommunicationDialog::OnReadSettingsFile() {
    if (hooks_.loadSettingsFile) hooks_.loadSettingsFile();
}

void CCommunicationDialog::OnWriteLog() {
    std::vector<std::string> lines;
    // The newest message first.
    for (int i = controls_.ItemCount(kMessages) - 1; i >= 0; --i) lines.push_back(controls_.ItemText(kMessages, i));
    if (SaveLogLines(services_.platform, folder_, "txt", {"txt file (*.txt)", "*.txt"}, lines))
        AddMessage("Writing file has been done!");
}

void CCommunicationDialog::OnClearLog() {
    controls_.ClearItems(kMessages);
}

}  // namespace vr::dialogs
