#pragma once
// The main window's logic over the headless control model, the recording platform, an in-memory
// link and the virtual camera's model behind it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "MemoryLink.h"
#include "RecordingMainWindow.h"
#include "SimCameraLink.h"
#include "TestServices.h"
#include "protocol/CommandTable.h"
#include "ui/ControlModel.h"

namespace vr::test {

// A camera of the model ("KA" or "KB") as it leaves the factory, at 9600 bit/s.
inline sim::SimOptions CameraOptions(const char* model) {
    sim::SimOptions options;
    options.model = model;
    return options;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        link.traffic = &services.traffic;
        services.engine.SetLink(&link);
        dlg = std::make_unique<RecordingMainWindow>(services.Get(), controls);
    }
    void TearDown() override {
        dlg.reset();
        services.engine.SetLink(nullptr);
    }

    // The whole start-up on the camera as the test set it up; afterwards the camera's log is empty.
    // Every start-up here finds its camera without a word to the operator.
    void StartUp(uint32_t controlMode = 0) {
        dlg->SetControlMode(controlMode);
        dlg->OnInitDialog();
        for (const auto& box : platform.boxes) ADD_FAILURE() << "start-up said \"" << box.text << '"';
        camera.ClearReceived();
        platform.boxes.clear();
    }

    void Select(uint32_t id, int index) {
        controls.SetCurSel(id, index);
        dlg->OnControlEvent(id, {ui::ControlEventType::SelChange});
    }
    void Type(uint32_t id, const std::string& text) {
        controls.SetText(id, text);
        dlg->OnControlEvent(id, {ui::ControlEventType::EditKillFocus});
    }
    void Click(uint32_t id) { dlg->OnControlEvent(id, {ui::ControlEventType::Clicked}); }
    void Spin(uint32_t spinId, int delta) { dlg->OnControlEvent(spinId, {ui::ControlEventType::SpinDelta, delta}); }

    int32_t Value(uint32_t id) { return services.table.GetDataValue(id); }
    int32_t Committed(uint32_t id) { return services.table.GetCommittedDataValue(id); }
    // What the camera itself holds for a mnemonic.
    int32_t CameraValue(const std::string& mnemonic) {
        const auto v = camera.Camera().Value(mnemonic);
        EXPECT_TRUE(v.has_value()) << mnemonic;
        return v.value_or(INT32_MIN);
    }

    TestServices services;
    FakePlatform& platform = services.platform;
    MemoryLink link;
    FakeLineControl& line = services.fakeLine;
    SimCameraLink camera{link, line, CameraOptions("KB")};
    ui::ControlModel controls;
    std::unique_ptr<RecordingMainWindow> dlg;
};

}  // namespace vr::test
