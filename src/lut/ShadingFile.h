#pragma once
// The shading data file: a csv text with the header line "ShadingData  (G R B)" and one
// "G, R, B" line per entry, 1 to 1024, each line ended by CR LF.
//
// The reader is lenient (see CsvLines.h): a line may hold fewer than three fields (the missing ones
// are 0), values are not range-checked, a line too long for the read buffer is skipped (its entry is
// missing, the others keep their places) and lines after the 1024th are dropped with a message. A
// fourth field ends the read and nothing of the file is used; so does a file without any entry.

#include <string>
#include <string_view>

#include "lut/CsvLines.h"
#include "lut/ShadingBuffer.h"

namespace vr::lut {

inline constexpr const char* kShadingHeader = "ShadingData  (G R B)";

inline constexpr const char* kShadingExtraField = "Invaild data count format";
inline constexpr const char* kShadingTooMany = "Too many data";

std::string FormatShadingFile(const ShadingBuffer& buffer);

// Writes it atomically; false with the failed step and the system's reason in `error`.
bool WriteShadingFile(const std::string& path, const ShadingBuffer& buffer, std::string& error);

// Reads a shading file's text into the buffer, data line n into position n of each plane; the
// positions the file does not give keep their values. A line too long for the read buffer is
// skipped and named in a message. When the read fails the buffer is left as it was.
CsvReadResult ReadShadingText(std::string_view text, ShadingBuffer& buffer);

}  // namespace vr::lut
