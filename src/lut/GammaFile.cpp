#include "lut/GammaFile.h"

#include <algorithm>
#include <cstdio>

#include "platform/FileIo.h"

namespace vr::lut {

std::string FormatGammaFile(const LutTable& red, const LutTable& green, const LutTable& blue) {
    std::string text = std::string(kGammaHeader) + "\r\n";
    text.reserve(text.size() + kLutEntries * 18);
    char line[48];
    for (int i = 0; i < kLutEntries; ++i) {
        const auto e = static_cast<size_t>(i);
        std::snprintf(line, sizeof line, "%d,%d,%d\r\n", red[e], green[e], blue[e]);
        text += line;
    }
    return text;
}

bool WriteGammaFile(const std::string& path, const LutTable& red, const LutTable& green, const LutTable& blue,
                    std::string& error) {
    return platform::WriteFileAtomically(path, FormatGammaFile(red, green, blue), error) ==
           platform::WriteResult::Written;
}

CsvReadResult ReadGammaText(std::string_view text, ILutTables& tables) {
    CsvReadResult result;
    CsvLines lines(text);
    std::string_view line;
    bool limitReported = false;
    auto fail = [&result](const char* message) {
        result.messages.emplace_back(message);
        return result;
    };
    // A line the read buffer cannot hold would otherwise come apart into pieces read as data lines:
    // a header among them, and a file with CR line ends became an empty table.
    if (lines.Next(line) && line.size() > kMaxLineChars)
        return fail(SplitCsvFields(line).extraComma ? kGammaExtraField : kGammaBadLine);
    while (lines.Next(line)) {
        const CsvFields fields = SplitCsvFields(line);
        if (fields.extraComma) return fail(kGammaExtraField);
        if (line.size() > kMaxLineChars || fields.commas != 2) return fail(kGammaBadLine);
        if (result.entries >= kLutEntries) return fail(kGammaTooMany);
        const auto entry = static_cast<size_t>(result.entries);
        for (LutColour colour : kLutColours) {
            const int32_t value = fields.values[static_cast<size_t>(colour)];
            if (value > kLutMaxValue && !limitReported) {
                limitReported = true;
                char message[96];
                std::snprintf(message, sizeof message, "Invalid data value: Line(%d) : Value(%d)", result.entries,
                              value);
                result.messages.emplace_back(message);
            }
            tables.Table(colour)[entry] = std::min(value, kLutMaxValue);
        }
        result.lines = ++result.entries;
    }
    if (result.entries == 0) return fail(kNoEntries);
    for (LutColour colour : kLutColours) tables.ShowAsRead(colour);
    result.ok = true;
    return result;
}

}  // namespace vr::lut
