#pragma once
// How the windows' logic reaches its controls: by numeric id only. The Qt desktop tool binds real
// widgets to the ids; the headless control model serves the command-line tool and the tests.

#include <cstdint>
#include <string>

namespace vr::ui {

class IControlAccess {
public:
    virtual ~IControlAccess() = default;

    virtual bool Exists(uint32_t id) const = 0;

    // Window text: an edit's contents, a static's or a button's caption.
    virtual std::string GetText(uint32_t id) const = 0;
    virtual void SetText(uint32_t id, const std::string& text) = 0;

    // Lists (combo boxes and list boxes). Indices are 0-based; -1 means no selection.
    virtual void ResetContent(uint32_t id) = 0;
    virtual int AddString(uint32_t id, const std::string& text) = 0;  // returns the new item's index
    virtual int GetCount(uint32_t id) const = 0;
    virtual std::string GetItemText(uint32_t id, int index) const = 0;
    virtual void SetItemData(uint32_t id, int index, int32_t data) = 0;
    virtual int32_t GetItemData(uint32_t id, int index) const = 0;
    virtual int GetCurSel(uint32_t id) const = 0;
    virtual void SetCurSel(uint32_t id, int index) = 0;

    // Spin (up-down) controls, addressed by the spin's own id.
    virtual void SetSpinRange(uint32_t id, int32_t minValue, int32_t maxValue) = 0;
    virtual void GetSpinRange(uint32_t id, int32_t& minValue, int32_t& maxValue) const = 0;
    virtual void SetSpinPos(uint32_t id, int32_t pos) = 0;
    virtual int32_t GetSpinPos(uint32_t id) const = 0;

    // Check boxes and radio buttons.
    virtual void SetCheck(uint32_t id, bool checked) = 0;
    virtual bool GetCheck(uint32_t id) const = 0;

    virtual void Enable(uint32_t id, bool enable) = 0;
    virtual bool IsEnabled(uint32_t id) const = 0;
    virtual void Show(uint32_t id, bool show) = 0;
    virtual bool IsShown(uint32_t id) const = 0;
};

}  // namespace vr::ui
