#pragma once
// The undo and redo of one LUT editor: what the editor looked like before each edit (a drag of the
// mouse, "Clear Table Data", "Convert Editable"), so Ctrl+Z takes the edits back one at a time and
// Ctrl+Shift+Z brings them again. A new edit after an undo drops what could have been redone.

#include <cstddef>
#include <optional>
#include <vector>

#include "lut/LutCurve.h"
#include "lut/LutTables.h"

namespace vr::lut {

// An editor as an edit leaves it: its points, its table (the one read in View Mode) and its mode.
struct LutSnapshot {
    std::vector<PlotPoint> points;
    LutTable table{};
    int mode = 0;
    bool operator==(const LutSnapshot&) const = default;
};

class LutHistory {
public:
    // Edits kept; older ones can no longer be undone.
    static constexpr size_t kDepth = 100;

    // An edit is about to change `before`.
    void Record(LutSnapshot before);
    // The state to go back to, given the state now (which redo brings again); none when nothing is left.
    std::optional<LutSnapshot> Undo(LutSnapshot current);
    std::optional<LutSnapshot> Redo(LutSnapshot current);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }

private:
    std::vector<LutSnapshot> undo_;
    std::vector<LutSnapshot> redo_;
};

}  // namespace vr::lut
