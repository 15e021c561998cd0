#pragma once
// A virtual camera on a pseudo-terminal and the main window's logic connected to it through the real
// serial link, with every line the tool sends collected, for the settings tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "RecordingMainWindow.h"
#include "TestServices.h"
#include "link/CommSetting.h"
#include "protocol/TrafficLog.h"
#include "settings/SettingsFeature.h"
#include "sim/PtyServer.h"
#include "ui/ControlModel.h"

namespace vr::test {

// The hand-derived expected files beside this header.
inline std::string ExpectedFile(const std::string& name) {
    std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "expected" / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SettingsFixture : public ::testing::Test {
protected:
    void TearDown() override { Stop(); }

    // A camera of the model, and the window's logic on its pty at 9600 bit/s; nothing sent yet.
    void Start(const std::string& model, sim::SimOptions options = {}, uint32_t controlMode = 0) {
        Stop();
        sent.clear();
        areaAsked.clear();
        shownDifferences.clear();
        options.model = model;
        server = std::make_unique<sim::PtyServer>();
        std::string error;
        ASSERT_TRUE(server->Start(options, &error)) << error;
        services = std::make_unique<TestServices>(LineKind::Real);
        services->link.SetMode(link::ComPort);
        const int index = services->link.AddDevicePath(server->DevicePath());
        ASSERT_GE(index, 0);
        ASSERT_EQ(services->link.OpenPort(static_cast<uint32_t>(index)), 1);
        services->traffic.SetTerminalSink([this](const std::string& line) {
            if (line.rfind("Tx: ", 0) == 0) sent.push_back(line.substr(4));
        });
        controls = std::make_unique<ui::ControlModel>();
        dlg = std::make_unique<RecordingMainWindow>(services->Get(), *controls);
        dlg->SetControlMode(controlMode);
        settings::SettingsFront front;
        front.chooseArea = [this](ui::AreaDialogMode mode, bool factoryMode) {
            areaAsked.push_back({mode, factoryMode});
            return areaAnswer;
        };
        front.showDifferences = [this](const std::string&, const std::vector<settings::SettingDifference>& d) {
            shownDifferences = d;
            return loadAfterCompare;
        };
        feature = std::make_unique<settings::SettingsFeature>(services->Get(), *dlg, std::move(front));
        feature->Register(dlg->Router());
    }
    // The start-up without the read: the camera found, its model known, the line at 115200.
    void Connect() {
        dlg->PrepareWindow();
        ASSERT_EQ(dlg->Connect(), 1);
        dlg->RaiseLine();
        sent.clear();
    }
    void Stop() {
        feature.reset();
        dlg.reset();
        controls.reset();
        services.reset();
        server.reset();
    }

    FakePlatform& Platform() { return services->platform; }
    std::vector<std::string> Texts() const { return services->platform.Texts(); }
    std::string Path(const std::string& name) const { return services->dir / name; }
    std::string Read(const std::string& name) const { return services->dir.ReadFile(name); }
    int32_t CameraValue(const char* name) const { return server->Value(name).value_or(-999999); }
    void Click(uint32_t id) { dlg->OnControlEvent(id, {ui::ControlEventType::Clicked}); }

    std::unique_ptr<sim::PtyServer> server;
    std::unique_ptr<TestServices> services;
    std::unique_ptr<ui::ControlModel> controls;
    std::unique_ptr<RecordingMainWindow> dlg;
    std::unique_ptr<settings::SettingsFeature> feature;
    std::vector<std::string> sent;  // every line written, without CR LF
    std::optional<int> areaAnswer;
    std::vector<std::pair<ui::AreaDialogMode, bool>> areaAsked;  // mode, factory mode
    std::vector<settings::SettingDifference> shownDifferences;
    bool loadAfterCompare = false;
};

}  // namespace vr::test
