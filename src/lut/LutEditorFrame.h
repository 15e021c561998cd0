#pragma once
// The window side of a LUT editor that its logic needs beyond its controls: the title, whether the
// window exists, greying during long camera work, showing and hiding, bringing it to the front, and
// asking for the plot to be painted again.

#include <string>

namespace vr::lut {

class ILutEditorFrame {
public:
    virtual ~ILutEditorFrame() = default;

    virtual void SetTitle(const std::string& title) = 0;
    virtual bool HasWindow() const = 0;
    virtual void EnableWindow(bool enable) = 0;
    virtual void ShowWindow(bool show) = 0;
    virtual void Activate() = 0;
    // The plot is to be painted again: the points or the table changed.
    virtual void InvalidatePlot() = 0;
};

}  // namespace vr::lut
