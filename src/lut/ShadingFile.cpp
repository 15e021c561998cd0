#include "lut/ShadingFile.h"

#include <cstdio>
#include <memory>

#include "app/FileIo.h"

namespace vr::lut {
namespace {

std::string SkippedMessage(int count, int firstLine) {
    const std::string limit = std::to_string(kMaxLineChars);
    if (count == 1)
        return "Line " + std::to_string(firstLine) + " of the file is longer than " + limit +
               " characters and was skipped.";
    return std::to_string(count) + " lines of the file are longer than " + limit +
           " characters and were skipped, the first at line " + std::to_string(firstLine) + ".";
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
    return app::WriteFileAtomically(path, FormatShadingFile(buffer), error) == app::WriteResult::Written;
}

CsvReadResult ReadShadingText(std::string_view text, ShadingBuffer& buffer) {
    CsvReadResult result;
    // Read into a copy: a file that turns out malformed half-way leaves nothing of itself behind.
    auto read = std::make_unique<ShadingBuffer>(buffer);
    CsvLines lines(text);
    std::string_view line;
    lines.Next(line);  // the header, whatever it says
    int skipped = 0, firstSkipped = 0;
    // The skipped lines are told first: they came before whatever ended the read.
    auto finish = [&](const char* last) {
        if (skipped > 0) result.messages.push_back(SkippedMessage(skipped, firstSkipped));
        if (last != nullptr) result.messages.emplace_back(last);
    };
    while (lines.Next(line)) {
        if (line.size() > kMaxLineChars) {
            // Taken apart, its second half would land on the next entry and shift all the rest.
            if (skipped++ == 0) firstSkipped = lines.LineNumber();
            continue;
        }
        const CsvFields fields = SplitCsvFields(line);
        if (fields.extraComma) {
            finish(kShadingExtraField);
            return result;
        }
        if (result.entries >= kShadingEntries) {
            finish(kShadingTooMany);
            buffer = *read;
            result.ok = true;
            return result;
        }
        const auto entry = static_cast<size_t>(result.entries);
        for (size_t plane = 0; plane < kShadingPlanes; ++plane) (*read)[plane][entry] = fields.values[plane];
        ++result.entries;
    }
    finish(nullptr);
    buffer = *read;
    result.ok = true;
    return result;
}

}  // namespace vr::lut
