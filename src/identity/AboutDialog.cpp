#include "identity/AboutDialog.h"

#include <filesystem>
#include <system_error>

#include "camera/Services.h"
#include "identity/DeviceInfo.h"
#include "identity/DeviceVersion.h"
#include "identity/HelpFiles.h"
#include "identity/IdentityIds.h"
#include "identity/UserId.h"
#include "platform/Platform.h"

namespace vr::identity {

using namespace about;

std::string CAboutDialog::OpenFailedText(const std::string& path) {
    return "Couldn't open \"" + path + "\" with the desktop's viewer.";
}

CAboutDialog::CAboutDialog(camera::Services& services, platform::IControlAccess& controls,
                           platform::IDialogFrame& frame, AboutSetup setup)
    : services_(services), controls_(controls), frame_(frame), setup_(std::move(setup)) {}

CAboutDialog::~CAboutDialog() {
    services_.status.Unregister(this);
    services_.dialogs.Remove(this);
}

void CAboutDialog::SetStripPicture(int32_t picture) {
    controls_.SetPicture(kStrip, picture);
}

void CAboutDialog::OnInitDialog() {
    initialised_ = true;
    services_.status.Register(this);
    services_.dialogs.Add(this);
    OnProtectUserId();
    controls_.SetText(kToolName, kToolNameText);
    controls_.SetText(kToolVersion, kToolVersionText);
    controls_.SetText(kLink, setup_.documentation);
    FillHelpFiles();
    controls_.SetText(kFirmware, kUnknownVersion);
    controls_.SetText(kFpga, kUnknownVersion);
    controls_.SetText(kCameraId, kUnknownName);
    controls_.SetText(kModelName, kUnknownName);
    controls_.SetText(kUserId, UserId::kUnknown);
    for (uint32_t id : kDeviceVersion) controls_.SetText(id, kUnknownField);
    ShowCamera();
    for (uint32_t id : kDeviceVersion) controls_.Enable(id, setup_.factoryMode);
    controls_.Show(kSaveDeviceVersion, setup_.factoryMode);
}

void CAboutDialog::FillHelpFiles() {
    controls_.ClearItems(kHelpFiles);
    for (const std::string& name : ListHelpFiles(setup_.helpFolder)) controls_.AddItem(kHelpFiles, name);
    controls_.SetSelection(kHelpFiles, 0);
}

void CAboutDialog::ShowCamera() {
    const DeviceIdentity identity = DeviceInfo(services_).Read();
    const auto show = [this](uint32_t id, const std::optional<std::string>& text) {
        if (text) controls_.SetText(id, *text);
    };
    show(kFirmware, identity.firmware);
    show(kModelName, identity.model);
    show(kCameraId, identity.cameraId);
    show(kFpga, identity.fpga);
    show(kUserId, identity.userId);
    if (!identity.deviceVersion) return;
    // A reply of another shape is no device version: the placeholders stay.
    if (const auto fields = SplitDeviceVersion(*identity.deviceVersion))
        for (size_t i = 0; i < fields->size(); ++i) controls_.SetText(kDeviceVersion[i], (*fields)[i]);
}

void CAboutDialog::OnProtectUserId() {
    controls_.Enable(kUserId, false);
    controls_.Enable(kSaveUserId, false);
    controls_.SetCheck(kProtectUserId, true);
    controls_.SetCheck(kEnableUserIdEdit, false);
}

void CAboutDialog::OnEnableUserIdEdit() {
    controls_.Enable(kUserId, true);
    controls_.Enable(kSaveUserId, true);
    controls_.SetCheck(kProtectUserId, false);
    controls_.SetCheck(kEnableUserIdEdit, true);
}

void CAboutDialog::OnSaveUserId() {
    UserId(services_).Save(controls_.GetText(kUserId));
}

void CAboutDialog::OnSaveDeviceVersion() {
    // The button exists only in factory mode; a stray click elsewhere writes nothing.
    if (!setup_.factoryMode) return;
    DeviceVersionFields fields;
    for (size_t i = 0; i < fields.size(); ++i) fields[i] = controls_.GetText(kDeviceVersion[i]);
    DeviceInfo(services_).WriteDeviceVersion(JoinDeviceVersion(fields));
}

void CAboutDialog::OnViewHelpFile() {
    const int sel = controls_.Selection(kHelpFiles);
    if (sel < 0) {
        services_.platform.MessageBox(kNoFileText, platform::kAppTitle, platform::MsgIcon::Error);
        return;
    }
    Open((std::filesystem::path(setup_.helpFolder) / controls_.ItemText(kHelpFiles, sel)).string());
}

void CAboutDialog::OnLinkClicked() {
    Open(controls_.GetText(kLink));
}

void CAboutDialog::Open(const std::string& path) {
    // The viewer starts on its own and cannot report a missing file back: look before it starts.
    std::error_code ec;
    const bool exists = !path.empty() && std::filesystem::is_regular_file(path, ec);
    if (!exists || !services_.platform.ShellOpen(path))
        services_.platform.MessageBox(OpenFailedText(path), platform::kAppTitle, platform::MsgIcon::Error);
}

}  // namespace vr::identity
