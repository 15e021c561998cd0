#pragma once
// The window side of a secondary dialog that the logic needs beyond its controls: whether the window
// exists, greying it during long camera work, showing and hiding it, and the picture controls (status
// strip, line-status icon) that the controls interface has no operation for.

#include <cstdint>

namespace vr::dialogs {

class IDialogFrame {
public:
    virtual ~IDialogFrame() = default;

    virtual bool HasWindow() const = 0;
    virtual void EnableWindow(bool enable) = 0;
    virtual void ShowWindow(bool show) = 0;
    // Puts picture resource `resource` (302/303 strips, 502/503 icons) into picture control ctrlId.
    virtual void SetPicture(uint32_t ctrlId, int32_t resource) = 0;
};

}  // namespace vr::dialogs
