#pragma once
// The gamma (LUT) file: a csv text with the header line "GammaData (R G B)" and one "R,G,B" line per
// table entry, 0 to 255, each line ended by CR LF.
//
// The reader is lenient (see CsvLines.h) but stops at the first line it cannot place: a fourth
// field, a line without exactly three fields or too long for the read buffer (the header too), a
// 257th data line. Entries stored before such a line stay in the tables; only a file read to its end
// that gave at least one entry shows the tables as read.

#include <string>
#include <string_view>

#include "lut/CsvLines.h"
#include "lut/LutTables.h"

namespace vr::lut {

inline constexpr const char* kGammaHeader = "GammaData (R G B)";

inline constexpr const char* kGammaExtraField = "Invalid data count format";
inline constexpr const char* kGammaBadLine = "Invaild line format";
inline constexpr const char* kGammaTooMany = "Too many data";

// The file's whole text for the three tables.
std::string FormatGammaFile(const LutTable& red, const LutTable& green, const LutTable& blue);

// Writes it atomically; false with the failed step and the system's reason in `error`.
bool WriteGammaFile(const std::string& path, const LutTable& red, const LutTable& green, const LutTable& blue,
                    std::string& error);

// Reads a gamma file's text into the three tables, data line n into entry n. Values above 4095 are
// stored as 4095; the first of them is reported with its zero-based data line and its value as
// read. When the text is read to its end and gave an entry, every table is shown as read; a file
// without any data line is reported (kNoEntries) and leaves the tables as they were.
CsvReadResult ReadGammaText(std::string_view text, ILutTables& tables);

}  // namespace vr::lut
