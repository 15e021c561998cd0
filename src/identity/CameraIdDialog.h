#pragma once
// The logic of the camera ID editor ("Camera Id", template 103): ten one-character fields filled from
// the camera's "ID", and "Save" (factory mode only) to unlock and write a new one. The dialog stays
// open after a save so the operator can try again.

#include <optional>

#include "camera/SessionListener.h"
#include "platform/ControlAccess.h"
#include "platform/DialogFrame.h"
#include "protocol/OnlineStatus.h"

namespace vr::camera {
struct Services;
}

namespace vr::identity {

class CCameraIdDialog final : public protocol::COnlineStatusUpdater, public protocol::IRegisteredDialog {
public:
    static constexpr const char* kTitle = "Camera Id";

    CCameraIdDialog(camera::Services& services, platform::IControlAccess& controls, platform::IDialogFrame& frame,
                    bool factoryMode);
    ~CCameraIdDialog() override;
    CCameraIdDialog(const CCameraIdDialog&) = delete;
    CCameraIdDialog& operator=(const CCameraIdDialog&) = delete;

    void OnInitDialog();
    // What was written and whether the camera took it; nothing outside factory mode.
    std::optional<camera::TextWrite> OnSave();  // 1050

    // COnlineStatusUpdater, IRegisteredDialog
    bool HasStrip() const override { return initialised_; }
    void SetStripPicture(int32_t picture) override;
    bool HasWindow() const override { return initialised_ && frame_.HasWindow(); }
    void EnableWindow(bool enable) override { frame_.EnableWindow(enable); }

private:
    camera::Services& services_;
    platform::IControlAccess& controls_;
    platform::IDialogFrame& frame_;
    bool factoryMode_;
    bool initialised_ = false;
};

}  // namespace vr::identity
