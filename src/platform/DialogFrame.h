#pragma once
// The window side of a secondary dialog that the logic needs beyond its controls: whether the window
// exists, greying it during long camera work, showing and hiding it.

namespace vr::platform {

class IDialogFrame {
public:
    virtual ~IDialogFrame() = default;

    virtual bool HasWindow() const = 0;
    virtual void EnableWindow(bool enable) = 0;
    virtual void ShowWindow(bool show) = 0;
};

}  // namespace vr::platform
