#pragma once
// The headless control model: every control of the main window's pages as plain state (text, items
// with their data, selection, enabled, shown, spin range and position), so that the main window's
// logic runs without any window system. The command-line tool and the tests use it.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ControlAccess.h"
#include "ui/main/PageInventory.h"

namespace vr::ui {

// The main window's own controls outside the pages.
inline constexpr uint32_t kMainStatusStrip = 1069;

class ControlModel final : public platform::IControlAccess {
public:
    // The pages' controls as their templates define them, plus the main window's status strip.
    ControlModel();
    // An empty model, for a dialog whose controls the caller adds.
    struct Empty {};
    explicit ControlModel(Empty) {}

    // Adds a control (or resets one) of the given kind, shown and enabled, with empty state.
    void AddControl(uint32_t id, CtrlType type);
    CtrlType Type(uint32_t id) const;

    bool Exists(uint32_t id) const override;
    std::string GetText(uint32_t id) const override;
    void SetText(uint32_t id, const std::string& text) override;

    void ClearItems(uint32_t id) override;
    int AddItem(uint32_t id, const std::string& text) override;
    int ItemCount(uint32_t id) const override;
    std::string ItemText(uint32_t id, int index) const override;
    void SetItemValue(uint32_t id, int index, int32_t data) override;
    int32_t ItemValue(uint32_t id, int index) const override;
    int Selection(uint32_t id) const override;
    void SetSelection(uint32_t id, int index) override;
    int InsertItem(uint32_t id, int index, const std::string& text) override;
    void RemoveItem(uint32_t id, int index) override;

    void SetSpinRange(uint32_t id, int32_t minValue, int32_t maxValue) override;
    void GetSpinRange(uint32_t id, int32_t& minValue, int32_t& maxValue) const override;
    void SetSpinPos(uint32_t id, int32_t pos) override;
    int32_t GetSpinPos(uint32_t id) const override;

    void SetCheck(uint32_t id, bool checked) override;
    bool GetCheck(uint32_t id) const override;

    void Enable(uint32_t id, bool enable) override;
    bool IsEnabled(uint32_t id) const override;
    void Show(uint32_t id, bool show) override;
    bool IsShown(uint32_t id) const override;

    void SetPicture(uint32_t id, int32_t resource) override;
    int32_t GetPicture(uint32_t id) const;

    // Every id in the model, ascending.
    std::vector<uint32_t> Ids() const;

private:
    struct State {
        CtrlType type = CtrlType::None;
        std::string text;
        std::vector<std::pair<std::string, int32_t>> items;
        int curSel = -1;
        bool enabled = true;
        bool shown = true;
        bool checked = false;
        int32_t spinMin = 0;
        int32_t spinMax = 100;
        int32_t spinPos = 0;
        int32_t picture = 0;
    };

    State* Find(uint32_t id);
    const State* Find(uint32_t id) const;

    std::map<uint32_t, State> controls_;
};

}  // namespace vr::ui
