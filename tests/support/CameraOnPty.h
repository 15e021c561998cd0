#pragma once
// The virtual camera on a pty, a program's services on the real serial link to it (every line sent kept in order), the
// main window's logic and a LUT editor: shared by the settings, identity, calibration and LUT tests.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "RecordingLutFrame.h"
#include "RecordingMainWindow.h"
#include "TestServices.h"
#include "lut/LutEditor.h"
#include "lut/LutTransfer.h"
#include "sim/PtyServer.h"
#include "ui/ControlModel.h"

namespace vr::test {

using Strings = std::vector<std::string>;
inline const std::string kApp = "VR-8200 Control Tool: ";  // how the tool's own boxes start in Boxes()

// Camera options in one expression: With([](sim::SimOptions& o) { o.silent = true; }).
template <class Change>
sim::SimOptions With(Change change, sim::SimOptions options = {}) {
    change(options);
    return options;
}

// A LUT editor's logic with the controls it reads and writes, in a window that records what is asked of it.
struct LutEditorUnderTest {
    LutEditorUnderTest(camera::Services& services, lut::LutColour colour) : logic(services, colour, controls, frame) {
        controls.AddControl(lut::lutdlg::kModeText, ui::CtrlType::Static);
        controls.AddControl(lut::lutdlg::kPointCountSpin, ui::CtrlType::Spin);
        controls.AddControl(lut::lutdlg::kStrip, ui::CtrlType::Static);
        logic.Init();
    }
    ui::ControlModel controls{ui::ControlModel::Empty{}};
    RecordingLutFrame frame;
    lut::CLUTDlg logic;
};

class CameraOnPty : public ::testing::Test {
protected:
    // Long enough for any answer on a loaded machine; ten time-outs in a row still take only 1.5 s.
    static constexpr std::chrono::milliseconds kShortTimeout{150};

    void TearDown() override { Shutdown(); }

    // The camera boots at `rate` and the line opens at it.
    void StartCamera(sim::SimOptions options = {}, uint32_t rate = 115200) {
        Shutdown();
        options.startRate = rate;
        server = std::make_unique<sim::PtyServer>();
        std::string error;
        ASSERT_TRUE(server->Start(options, &error)) << error;
        services = std::make_unique<TestServices>(LineKind::Real);
        const int index = services->link.AddDevicePath(server->DevicePath());
        ASSERT_GE(index, 0);
        ASSERT_EQ(services->link.Open(link::ComPort, rate, static_cast<uint32_t>(index)), 1);
        services->traffic.SetTerminalSink([this](const std::string& line) {
            if (line.rfind("Tx: ", 0) == 0) sent.push_back(line.substr(4));
        });
    }
    // The main window's logic on a camera at 9600, where a camera wakes; nothing asked yet.
    void StartWindow(const sim::SimOptions& options, uint32_t controlMode = 0) {
        StartCamera(options, 9600);
        controls = std::make_unique<ui::ControlModel>();
        dlg = std::make_unique<RecordingMainWindow>(services->Get(), *controls);
        dlg->SetControlMode(controlMode);
    }
    // The start-up without the read: the camera found, its model known, the line at 115200.
    void Connect() {
        dlg->PrepareWindow();
        ASSERT_EQ(dlg->Connect(), 1);
        dlg->RaiseLine();
        sent.clear();
    }
    // A fixture that holds more over the window or the services lets it go first.
    virtual void Shutdown() {
        dlg.reset();
        controls.reset();
        services.reset();
        server.reset();
        sent.clear();
    }

    // Sends a set the way the tool does, for setting the camera up; forgets what was sent.
    void Set(uint32_t cmdId, int32_t value) {
        ASSERT_EQ(services->engine.SendCommandInt(cmdId, value, std::chrono::milliseconds(5000)), 1);
        sent.clear();
    }
    void Set(uint32_t cmdId, const std::string& text) {
        ASSERT_EQ(services->engine.SendCommandString(cmdId, text, std::chrono::milliseconds(5000)), 1);
        sent.clear();
    }
    void Click(uint32_t id) { dlg->OnControlEvent(id, {ui::ControlEventType::Clicked}); }
    FakePlatform& Platform() { return services->platform; }
    int32_t CameraValue(const char* name) const { return server->Value(name).value_or(-999999); }
    // Each box (of `other` if given) as "CAPTION: TEXT" and its icon's mark: [error], [info], [warning], [question].
    Strings Boxes(const FakePlatform* other = nullptr) const {
        Strings boxes;
        for (const auto& b : (other != nullptr ? *other : services->platform).boxes) {
            static const char* const marks[] = {"", " [info]", " [warning]", " [question]", " [error]"};
            boxes.push_back(b.caption + ": " + b.text + marks[static_cast<int>(b.icon)]);
        }
        return boxes;
    }
    std::string LastBox() const { return services->platform.boxes.empty() ? "<no box>" : Boxes().back(); }
    lut::TransferTimeouts Short() const { return {kShortTimeout, kShortTimeout, kShortTimeout}; }

    std::unique_ptr<sim::PtyServer> server;
    std::unique_ptr<TestServices> services;
    std::unique_ptr<ui::ControlModel> controls;
    std::unique_ptr<RecordingMainWindow> dlg;
    Strings sent;
};

}  // namespace vr::test
