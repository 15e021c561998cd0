#pragma once
// The main window's logic over the headless control model, the recording platform, an in-memory
// link and a scripted camera.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeCamera.h"
#include "MemoryLink.h"
#include "RecordingMainWindow.h"
#include "TestServices.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"
#include "settings/ModelCommands.h"
#include "ui/ControlModel.h"
#include "ui/main/CtrlToolDlg.h"

namespace vr::test {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The camera starts with the tool's defaults, so a read changes nothing unless a test says so.
        const protocol::ParameterDef* defs = protocol::ParameterDefs();
        for (size_t i = 0; i < protocol::kParameterRowCount; ++i)
            if (defs[i].cmdId != protocol::cmd::Unnamed)
                camera.values[protocol::GetCommandName(defs[i].cmdId)] = defs[i].defaultValue;
        link.responder = [this](const std::string& text) { return camera.Answer(text); };
        link.traffic = &services.traffic;
        services.engine.SetLink(&link);
        dlg = std::make_unique<RecordingMainWindow>(services.Get(), controls);
    }
    void TearDown() override {
        dlg.reset();
        services.engine.SetLink(nullptr);
    }

    // The start-up on a camera of the model at 9600 bit/s; afterwards the camera's log is empty.
    void StartUp(const std::string& model, uint32_t controlMode = 0) {
        camera.model = model;
        dlg->SetControlMode(controlMode);
        dlg->OnInitDialog();
        camera.received.clear();
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

    TestServices services;
    FakePlatform& platform = services.platform;
    MemoryLink link;
    FakeLineControl& line = services.fakeLine;
    FakeCamera camera{line};
    ui::ControlModel controls;
    std::unique_ptr<RecordingMainWindow> dlg;
};

}  // namespace vr::test
