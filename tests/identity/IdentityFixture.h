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

using Strings = std::vector<std::string>;

class FakeFrame final : public dialogs::IDialogFrame {
public:
    bool HasWindow() const override { return true; }
    void EnableWindow(bool enable) override { enabled = enable; }
    void ShowWindow(bool) override {}
    bool enabled = true;
};

class IdentityTest : public ::testing::Test {
protected:
    void StartCamera(sim::SimOptions options = {}) {
        TearDown();
        sent_.clear();
        FreshControls();
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
    // The controls of all three dialogs (their ids differ); to the model only a list's type matters.
    void FreshControls() {
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
    Strings Texts(const std::vector<uint32_t>& ids) const {
        Strings texts;
        for (uint32_t id : ids) texts.push_back(controls_.GetText(id));
        return texts;
    }
    const RecordedBox& LastBox() {
        static const RecordedBox none{"<no box>", "", app::MsgIcon::None, app::MsgButtons::Ok};
        return Platform().boxes.empty() ? none : Platform().boxes.back();
    }

    FakePlatform& Platform() { return services_->platform; }
    app::Services& Services() { return services_->Get(); }

    std::unique_ptr<sim::PtyServer> server_;
    std::unique_ptr<TestServices> services_;
    ui::ControlModel controls_{ui::ControlModel::Empty{}};
    FakeFrame frame_;
    Strings sent_;
};

}  // namespace vr::test
