#pragma once
// The logic of the device information dialog ("About This Control", template 102): the tool's name
// and version, what the camera says about itself, the user ID with its lock, the device version
// (written only in factory mode), the help files of the working folder and the link to the tool's
// own documentation. The window around it is the desktop tool's; tests drive it over a control model.

#include <string>

#include "platform/ControlAccess.h"
#include "platform/DialogFrame.h"
#include "protocol/OnlineStatus.h"

namespace vr::camera {
struct Services;
}

namespace vr::identity {

struct AboutSetup {
    bool factoryMode = false;
    std::string helpFolder;     // where the help files are looked for: the working folder
    std::string documentation;  // the document behind the link
};

class CAboutDialog final : public protocol::COnlineStatusUpdater, public protocol::IRegisteredDialog {
public:
    static constexpr const char* kTitle = "About This Control";
    static constexpr const char* kToolNameText = "VR-8200 Control Tool";
    static constexpr const char* kToolVersionText = "2.01";
    static constexpr const char* kUnknownVersion = "?.?.?.?";
    static constexpr const char* kUnknownName = "??????????";
    static constexpr const char* kUnknownField = "?";
    static constexpr const char* kNoFileText = "No file was selected !!";
    static std::string OpenFailedText(const std::string& path);

    CAboutDialog(camera::Services& services, platform::IControlAccess& controls, platform::IDialogFrame& frame,
                 AboutSetup setup);
    ~CAboutDialog() override;
    CAboutDialog(const CAboutDialog&) = delete;
    CAboutDialog& operator=(const CAboutDialog&) = delete;

    // Registers the strip and the dialog, locks the user ID, fills in the tool, the help files and the
    // placeholders, asks the camera, and applies the control mode to the device version.
    void OnInitDialog();

    void OnProtectUserId();      // 1084
    void OnEnableUserIdEdit();   // 1085
    void OnSaveUserId();         // 1083
    void OnSaveDeviceVersion();  // 1153
    void OnViewHelpFile();       // 1043
    void OnLinkClicked();        // 1081

    // COnlineStatusUpdater, IRegisteredDialog
    bool HasStrip() const override { return initialised_; }
    void SetStripPicture(int32_t picture) override;
    bool HasWindow() const override { return initialised_ && frame_.HasWindow(); }
    void EnableWindow(bool enable) override { frame_.EnableWindow(enable); }

private:
    void FillHelpFiles();
    void ShowCamera();
    void Open(const std::string& path);

    camera::Services& services_;
    platform::IControlAccess& controls_;
    platform::IDialogFrame& frame_;
    AboutSetup setup_;
    bool initialised_ = false;
};

}  // namespace vr::identity
