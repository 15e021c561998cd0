#pragma once
// Reading a parameter control's value from the screen and showing a value in it, by control kind,
// and showing the parameter table on the pages.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/ControlAccess.h"
#include "ui/main/PageInventory.h"

namespace vr::protocol {
class ParameterTable;
}

namespace vr::ui {

// A control that is on no page reads as this value (0xFFFFFFFF).
inline constexpr int32_t kNoControlValue = -1;

class ValueDisplay {
public:
    ValueDisplay(platform::IControlAccess& controls, const protocol::ParameterTable& table)
        : controls_(controls), table_(table) {}

    // The kind of a control that exists; None for an id that names no page control.
    CtrlType KindOf(uint32_t id) const;

    // The screen value: an edit's leading signed decimal number (0 when there is none), a spin's
    // position, a list's selected item code (its index when the code is 0; -1 without selection).
    int32_t ReadValue(uint32_t id) const;

    // Shows a value: an edit gets "%d" (and its spin the position), a spin gets the position and its
    // buddy the text, a list selects the first item with that code, else the item at that index.
    void ShowValue(uint32_t id, int32_t value);

    // The spin's position as the spin takes it from its buddy edit: the edit's text when that is a
    // number within the spin's range, otherwise the position it had.
    int32_t SpinPosition(uint32_t spinId);

    // Every row of the parameter table in its control; only the rows whose value differs from the
    // committed one. The chromatic aberration editors' rows are left out unless asked for: the
    // editors show what the camera holds for their current address, which the table does not know.
    // A row whose command the camera lacks shows no value at all (an empty edit, a list without
    // selection): its table value is the tool's default, not the camera's.
    void ShowAllValues(bool withEditors = false);
    void ShowChangedValues();

    // Which commands the camera has; every command when unset.
    void SetCommandFilter(std::function<bool(uint32_t cmdId)> hasCommand) { hasCommand_ = std::move(hasCommand); }
    bool CameraHas(uint32_t cmdId) const { return !hasCommand_ || hasCommand_(cmdId); }
    // Shows that a control's value is not known: its edit empty, its list without selection.
    void ShowUnknown(uint32_t id);

    // The two line-rate read-outs from the table's "LR" (the line period in units of 10 ns).
    void ShowLineRate();

    static int32_t LeadingNumber(const std::string& text);
    // A whole-text integer (blanks around it allowed); false for anything else or beyond 32 bits.
    static bool ParseInteger(const std::string& text, int32_t& value);
    static std::string FormatLinePeriod(int32_t period);     // "%.2fus"
    static std::string FormatLineFrequency(int32_t period);  // "%.4fhz"; "-" for a period of 0

    platform::IControlAccess& Controls() { return controls_; }

private:
    platform::IControlAccess& controls_;
    const protocol::ParameterTable& table_;
    std::function<bool(uint32_t)> hasCommand_;
};

}  // namespace vr::ui
