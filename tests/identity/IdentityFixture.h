#pragma once
// The identity dialogs' logic against the virtual camera on a pseudo-terminal, through the real
// serial link. The dialogs' controls are a headless control model; every line the tool writes is
// recorded.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestServices.h"
#include "dialogs/DialogFrame.h"
#include "identity/IdentityIds.h"
#include "protocol/CommandIds.h"
#include "sim/PtyServer.h"
#include "ui/ControlModel.h"

namespace vr::test {

class FakeFrame final : public dialogs::IDialogFrame {
public:
    bool HasWindow() const override { return true; }
    void EnableWindow(bool enable) override { enabled = enable; }
    void ShowWindow(bool show) override { shown = show; }
    bool enabled = true;
    bool shown = true;
};

class IdentityTest : public ::testing::Test {
protected:
    void StartCamera(sim::SimOptions options = {}) {
        sent_.clear();
        server_ = std::make_unique<sim::PtyServer>();
        std::string error;
        ASSERT_TRUE(server_->Start(options, &error)) << error;
        services_ = std::make_unique<TestServices>(LineKind::Real);
        services_->link.SetMode(link::ComPort);
        const int index = services_->link.AddDevicePath(server_->DevicePath());
        ASSERT_GE(index, 0);
        ASSERT_EQ(services_->link.OpenPort(static_cast<uint32_t>(index)), 1);
        services_->traffic.SetTerminalSink([this](const std::string& line) {
            if (line.rfind("Tx: ", 0) == 0) sent_.push_back(line.substr(4));
        });
    }
    void TearDown() override {
        services_.reset();
        server_.reset();
    }

    // What the model probe records for a camera it recognised.
    void Identified(uint32_t kind, const char* name) {
        services_->model.kind = kind;
        services_->model.name = name;
    }
    // Gives the camera an identity text as production would, then forgets what was sent for it.
    void Preset(uint32_t cmdId, const std::string& text) {
        using namespace std::chrono_literals;
        if (cmdId == protocol::cmd::ID00) {
            ASSERT_EQ(services_->engine.SendCommandInt(protocol::cmd::ULCK, 6182057, 5000ms), 1);
        }
        ASSERT_EQ(services_->engine.SendCommandString(cmdId, text, 5000ms), 1);
        sent_.clear();
    }
    std::string CameraText(const char* name) const { return server_->QueryValue(name).value_or("<none>"); }

    void AddAboutControls() {
        using namespace identity::about;
        for (uint32_t id : {kToolName, kToolVersion, kLink, kModelName, kFirmware, kCameraId, kFpga, kStrip})
            controls_.AddControl(id, ui::CtrlType::Static);
        for (uint32_t id : kDeviceVersion) controls_.AddControl(id, ui::CtrlType::Edit);
        controls_.AddControl(kUserId, ui::CtrlType::Edit);
        for (uint32_t id : {kSaveDeviceVersion, kSaveUserId, kProtectUserId, kEnableUserIdEdit, kViewHelpFile})
            controls_.AddControl(id, ui::CtrlType::Button);
        controls_.AddControl(kHelpFiles, ui::CtrlType::Combo);
    }
    void AddCameraIdControls() {
        using namespace identity::cameraid;
        for (uint32_t id : kFields) controls_.AddControl(id, ui::CtrlType::Edit);
        controls_.AddControl(kSave, ui::CtrlType::Button);
        controls_.AddControl(kStrip, ui::CtrlType::Static);
    }
    void AddUserIdControls() {
        using namespace identity::userid;
        controls_.AddControl(kEdit, ui::CtrlType::Edit);
        controls_.AddControl(kSave, ui::CtrlType::Button);
        controls_.AddControl(kStrip, ui::CtrlType::Static);
    }

    FakePlatform& Platform() { return services_->platform; }
    app::Services& Services() { return services_->Get(); }

    std::unique_ptr<sim::PtyServer> server_;
    std::unique_ptr<TestServices> services_;
    ui::ControlModel controls_{ui::ControlModel::Empty{}};
    FakeFrame frame_;
    std::vector<std::string> sent_;
};

}  // namespace vr::test
