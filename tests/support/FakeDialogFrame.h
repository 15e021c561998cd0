#pragma once
// A dialog's frame without a window system, and the headless controls of a dialog.

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "platform/DialogFrame.h"
#include "ui/ControlModel.h"

namespace vr::test {

struct FakeDialogFrame final : platform::IDialogFrame {
    bool HasWindow() const override { return true; }
    void EnableWindow(bool enable) override { enabled = enable; }
    void ShowWindow(bool show) override { visible = show; }
    bool enabled = true;
    bool visible = false;
};

// A control model holding only the controls given, by type.
inline ui::ControlModel DialogControls(std::initializer_list<std::pair<ui::CtrlType, std::vector<uint32_t>>> kinds) {
    ui::ControlModel controls{ui::ControlModel::Empty{}};
    for (const auto& [type, ids] : kinds)
        for (uint32_t id : ids) controls.AddControl(id, type);
    return controls;
}

}  // namespace vr::test
