#pragma once
// A dialog's window without a window system: its controls are the tool's headless control model,
// and the frame operations are recorded.

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/DialogFrame.h"
#include "ui/ControlModel.h"

namespace vr::test {

struct FakeFrame final : dialogs::IDialogFrame {
    bool HasWindow() const override { return hasWindow; }
    void EnableWindow(bool enable) override { windowEnabled = enable; }
    void ShowWindow(bool show) override { visible = show; }
    bool hasWindow = true;
    bool windowEnabled = true;
    bool visible = false;
};

// A model holding just the dialog's controls.
inline ui::ControlModel DialogControls(std::initializer_list<std::pair<ui::CtrlType, std::vector<uint32_t>>> kinds) {
    ui::ControlModel controls{ui::ControlModel::Empty{}};
    for (const auto& [type, ids] : kinds)
        for (uint32_t id : ids) controls.AddControl(id, type);
    return controls;
}

inline std::vector<std::string> Items(const ui::ControlModel& controls, uint32_t id) {
    std::vector<std::string> texts;
    for (int i = 0; i < controls.GetCount(id); ++i) texts.push_back(controls.GetItemText(id, i));
    return texts;
}

}  // namespace vr::test
