#pragma once
// A LUT editor's window for tests: records what the logic asks of it.

#include <string>

#include "lut/LutEditorFrame.h"

namespace vr::test {

class RecordingLutFrame : public lut::ILutEditorFrame {
public:
    void SetTitle(const std::string& text) override { title = text; }
    bool HasWindow() const override { return true; }
    void EnableWindow(bool enable) override { enabled = enable; }
    void ShowWindow(bool show) override { shown = show; }
    void Activate() override { ++activations; }
    void InvalidatePlot() override { ++invalidations; }

    std::string title;
    bool enabled = true;
    bool shown = false;
    int activations = 0;
    int invalidations = 0;
};

}  // namespace vr::test
