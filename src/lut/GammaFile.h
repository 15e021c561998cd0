#pragma once
// The gamma (LUT) file: a csv text with the header line "GammaData (R G B)" and one "R,G,B" line per
// table entry, 0 to 255, each line ended by CR LF.

#include <string>

#include "lut/LutTables.h"

namespace vr::lut {

inline constexpr const char* kGammaHeader = "GammaData (R G B)";

// The file's whole text for the three tables.
std::string FormatGammaFile(const LutTable& red, const LutTable& green, const LutTable& blue);

// Writes it atomically; false with the failed step and the system's reason in `error`.
bool WriteGammaFile(const std::string& path, const LutTable& red, const LutTable& green, const LutTable& blue,
                    std::string& error);

}  // namespace vr::lut
