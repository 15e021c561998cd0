#pragma once
// The camera's colour look-up tables: 256 entries per colour, indexed by the 8-bit input level, each
// a 12-bit output level. The editors, the gamma files and the transfers all speak these types.

#include <array>
#include <cstdint>

#include "protocol/CommandIds.h"

namespace vr::lut {

inline constexpr int kLutEntries = 256;
inline constexpr int32_t kLutMaxValue = 4095;

using LutTable = std::array<int32_t, kLutEntries>;

enum class LutColour : int { Red = 0, Green = 1, Blue = 2 };
inline constexpr LutColour kLutColours[] = {LutColour::Red, LutColour::Green, LutColour::Blue};

// The camera's commands of a colour: the index selects the entry, the data sets or reads it.
inline constexpr uint32_t IndexCommand(LutColour colour) {
    return colour == LutColour::Red     ? protocol::cmd::LUTIR
           : colour == LutColour::Green ? protocol::cmd::LUTIG
                                        : protocol::cmd::LUTIB;
}
inline constexpr uint32_t DataCommand(LutColour colour) {
    return colour == LutColour::Red     ? protocol::cmd::LUTR
           : colour == LutColour::Green ? protocol::cmd::LUTG
                                        : protocol::cmd::LUTB;
}

// The three editors' tables as the file and transfer operations see them; the LUT editors implement
// it (the command-line tool has a plain one without windows).
class ILutTables {
public:
    virtual ~ILutTables() = default;
    // The output table of a colour's editor.
    virtual LutTable& Table(LutColour colour) = 0;
    // The table was read (from the camera or a file): the editor shows it as it is (View Mode).
    virtual void ShowAsRead(LutColour colour) = 0;
};

}  // namespace vr::lut
