#pragma once
// The three colour LUT editors of the desktop tool, red, green and blue: the tables the LUT files and
// the camera transfers work on, shown together by "Open LUT Table" and hidden together by the LUT
// selector.

#include <array>

#include "lut/LutEditor.h"
#include "lut/LutTables.h"

namespace vr::lut {

class LutEditors final : public ILutTables {
public:
    // A window moves this far right and down per editor, so the three lie staggered (k = 0, 1, 2).
    static constexpr int kStaggerPixels = 50;
    static constexpr int Offset(int k) { return kStaggerPixels * (k + 1); }

    // The editors of red, green and blue, in that order; they outlive this object.
    explicit LutEditors(std::array<CLUTDlg*, 3> editors);

    CLUTDlg& Editor(LutColour colour) { return *editors_[static_cast<size_t>(colour)]; }

    // ILutTables
    LutTable& Table(LutColour colour) override { return Editor(colour).Table(); }
    void ShowAsRead(LutColour colour) override { Editor(colour).ShowAsRead(); }

    void ShowAll(bool show);

    // "Open LUT Table" shows the three.

private:
    std::array<CLUTDlg*, 3> editors_;
};

}  // namespace vr::lut
