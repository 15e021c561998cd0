#pragma once
// The identity dialogs' logic against the virtual camera on a pseudo-terminal, through the real
// serial link. The dialogs' controls are a headless control model.

#include "../lut_files/CameraOnPty.h"
#include "dialogs/DialogFrame.h"
#include "identity/IdentityIds.h"
#include "protocol/CommandIds.h"

namespace vr::test {

class FakeFrame final : public dialogs::IDialogFrame {
public:
    bool HasWindow() const override { return true; }
    void EnableWindow(bool enable) override { enabled = enable; }
    void ShowWindow(bool) override {}
    bool enabled = true;
};

class IdentityTest : public CameraOnPty {
protected:
    // The controls of all three dialogs (their ids differ) afresh; to the model only a list's type matters.
    void StartCamera(sim::SimOptions options = {}) {
        using namespace identity;
        controls_ = ui::ControlModel(ui::ControlModel::Empty{});
        for (uint32_t id : {about::kToolName, about::kToolVersion, about::kLink, about::kModelName, about::kFirmware,
                            about::kCameraId, about::kFpga, about::kStrip, about::kUserId, about::kSaveDeviceVersion,
                            about::kSaveUserId, about::kProtectUserId, about::kEnableUserIdEdit, cameraid::kSave,
                            cameraid::kStrip, userid::kEdit, userid::kSave, userid::kStrip})
            controls_.AddControl(id, ui::CtrlType::Edit);
        for (uint32_t id : about::kDeviceVersion) controls_.AddControl(id, ui::CtrlType::Edit);
        for (uint32_t id : cameraid::kFields) controls_.AddControl(id, ui::CtrlType::Edit);
        controls_.AddControl(about::kHelpFiles, ui::CtrlType::Combo);
        CameraOnPty::StartCamera(options);
    }

    // Gives the camera an identity text as production would, then forgets what was sent for it.
    void Preset(uint32_t cmdId, const std::string& text) {
        ASSERT_EQ(services->engine.SendCommandString(cmdId, text, std::chrono::milliseconds(5000)), 1);
        sent.clear();
    }
    std::string CameraText(const char* name) const { return server->QueryValue(name).value_or("<none>"); }
    Strings Texts(const std::vector<uint32_t>& ids) const {
        Strings texts;
        for (uint32_t id : ids) texts.push_back(controls_.GetText(id));
        return texts;
    }
    app::Services& Services() { return services->Get(); }

    ui::ControlModel controls_{ui::ControlModel::Empty{}};
    FakeFrame frame_;
};

}  // namespace vr::test
