#pragma once
// The logic of the user ID editor ("User Id", template 110): the camera's "UD" in one edit, and
// "Save" to write it back under the user ID rule.

#include "camera/SessionListener.h"
#include "platform/ControlAccess.h"
#include "platform/DialogFrame.h"
#include "protocol/OnlineStatus.h"

namespace vr::camera {
struct Services;
}

namespace vr::identity {

class CUserIdDialog final : public protocol::COnlineStatusUpdater, public protocol::IRegisteredDialog {
public:
    static constexpr const char* kTitle = "User Id";

    CUserIdDialog(camera::Services& services, platform::IControlAccess& controls, platform::IDialogFrame& frame);
    ~CUserIdDialog() override;
    CUserIdDialog(const CUserIdDialog&) = delete;
    CUserIdDialog& operator=(const CUserIdDialog&) = delete;

    void OnInitDialog();
    // What was written and whether the camera took it.
    camera::TextWrite OnSave();  // 1040

    // COnlineStatusUpdater, IRegisteredDialog
    bool HasStrip() const override { return initialised_; }
    void SetStripPicture(int32_t picture) override;
    bool HasWindow() const override { return initialised_ && frame_.HasWindow(); }
    void EnableWindow(bool enable) override { frame_.EnableWindow(enable); }

private:
    camera::Services& services_;
    platform::IControlAccess& controls_;
    platform::IDialogFrame& frame_;
    bool initialised_ = false;
};

}  // namespace vr::identity
