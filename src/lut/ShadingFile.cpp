#include "lut/ShadingFile.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/FileIo.h"

namespace vr::lut {
namespace {

std::string Chars() {
    return std::to_string(kMaxLineChars) + " characters";
}

// Data lines skipped for their length, by their line number in the file (the header is line 1, so
// line n holds entry n - 1).
std::string SkippedMessage(const std::vector<int>& lineNumbers) {
    const int first = lineNumbers.front();
    if (lineNumbers.size() == 1)
        return "Line " + std::to_string(first) + " of the file is longer than " + Chars() + " and was skipped: entry " +
               std::to_string(first - 1) + " is missing.";
    return std::to_string(lineNumbers.size()) + " lines of the file are longer than " + Chars() +
           " and were skipped, the first at line " + std::to_string(first) +
           ": their entries are missing, from entry " + std::to_string(first - 1) + ".";
}

}  // namespace

std::string FormatShadingFile(const ShadingBuffer& buffer) {
    std::string text = std::string(kShadingHeader) + "\r\n";
    text.reserve(text.size() + kShadingEntries * 20);
    char line[48];
    for (size_t i = 0; i < kShadingEntries; ++i) {
        std::snprintf(line, sizeof line, "%d, %d, %d\r\n", buffer[0][i], buffer[1][i], buffer[2][i]);
        text += line;
    }
    return text;
}

bool WriteShadingFile(const std::string& path, const ShadingBuffer& buffer, std::string& error) {
    return platform::WriteFileAtomically(path, FormatShadingFile(buffer), error) == platform::WriteResult::Written;
}

CsvReadResult ReadShadingText(std::string_view text, ShadingBuffer& buffer) {
    CsvReadResult result;
    // Read into a copy: a file that turns out malformed half-way leaves nothing of itself behind.
    auto read = std::make_unique<ShadingBuffer>(buffer);
    CsvLines lines(text);
    std::string_view line;
    bool headerSkipped = false;
    std::vector<int> skipped;
    // The skipped lines are told first: they came before whatever ended the read. A malformed
    // file, or one that gave no entry, leaves the buffer as it was.
    auto finish = [&](const char* last, bool malformed) {
        if (headerSkipped)
            result.messages.push_back("Line 1 of the file is longer than " + Chars() + " and was skipped.");
        if (!skipped.empty()) result.messages.push_back(SkippedMessage(skipped));
        if (last != nullptr) result.messages.emplace_back(last);
        if (!malformed && result.entries == 0) result.messages.emplace_back(kNoEntries);
        result.ok = !malformed && result.entries > 0;
        if (result.ok) buffer = *read;
        return result;
    };
    // A header the read buffer cannot hold is read under the rule of every line: its pieces would
    // otherwise be read as data lines (a file with CR line ends as a table of zeros).
    if (lines.Next(line) && line.size() > kMaxLineChars) {
        if (SplitCsvFields(line).extraComma) return finish(kShadingExtraField, true);
        headerSkipped = true;
    }
    while (lines.Next(line)) {
        const CsvFields fields = SplitCsvFields(line);
        if (fields.extraComma) return finish(kShadingExtraField, true);
        if (result.lines >= kShadingEntries) return finish(kShadingTooMany, false);
        const auto entry = static_cast<size_t>(result.lines++);
        if (line.size() > kMaxLineChars) {
            // Its entry is missing; taken apart, its pieces would land on the next entries and
            // shift all the rest.
            skipped.push_back(lines.LineNumber());
            continue;
        }
        for (size_t plane = 0; plane < kShadingPlanes; ++plane) (*read)[plane][entry] = fields.values[plane];
        ++result.entries;
    }
    return finish(nullptr, false);
}

}  // namespace vr::lut
