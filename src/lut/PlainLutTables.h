#pragma once
// The three LUT tables without editor windows, for the command-line tool and for tests: it holds the
// tables and remembers which were shown as read.

#include <array>

#include "lut/LutTables.h"

namespace vr::lut {

class PlainLutTables final : public ILutTables {
public:
    LutTable& Table(LutColour colour) override { return tables_[Index(colour)]; }
    void ShowAsRead(LutColour colour) override { shownAsRead_[Index(colour)] = true; }

    const LutTable& Table(LutColour colour) const { return tables_[Index(colour)]; }
    bool ShownAsRead(LutColour colour) const { return shownAsRead_[Index(colour)]; }

private:
    static size_t Index(LutColour colour) { return static_cast<size_t>(colour); }

    std::array<LutTable, 3> tables_{};
    std::array<bool, 3> shownAsRead_{};
};

}  // namespace vr::lut
