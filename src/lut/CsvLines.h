#pragma once
// How the gamma and shading readers take a csv file apart. A file is read line by line with a fixed
// buffer, so at most kMaxLineChars characters form one line (the line end not counted); a longer
// line is reported as too long rather than taken as two, the first line (the header) as much as
// any other. A line ends at LF, with or without a CR before it; a lone CR ends no line, so a file
// with CR line ends is one long line. The header is ignored whatever it holds. In a data line each
// decimal digit is appended to the current field, a comma ends the field, and every other character
// (blanks, signs, carriage returns, letters) is ignored.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vr::lut {

inline constexpr size_t kMaxLineChars = 126;

// The lines of a text: split at LF, a CR before the LF dropped; a final LF ends the last line
// rather than starting an empty one.
class CsvLines {
public:
    explicit CsvLines(std::string_view text) : text_(text) {}

    // The next line; false at the end of the text.
    bool Next(std::string_view& line);
    // 1 for the first line of the file, counting every line taken so far.
    int LineNumber() const { return lineNumber_; }

private:
    std::string_view text_;
    size_t pos_ = 0;
    int lineNumber_ = 0;
};

struct CsvFields {
    // Commas seen, counting the third one that ends the split.
    int commas = 0;
    // The line held a third comma: the split stopped there.
    bool extraComma = false;
    // The first three fields as non-negative integers; a field without digits is 0, and one whose
    // digits do not fit in 32 bits stays at the largest value.
    std::array<int32_t, 3> values{};
};

CsvFields SplitCsvFields(std::string_view line);

// A file from which no entry could be read is never taken for a table of zeros.
inline constexpr const char* kNoEntries = "No entry could be read from the file.";

// What a reader made of a file.
struct CsvReadResult {
    // The data may be used: the gamma reader reached the end of the file, the shading reader
    // stored what it could without a format error; either stored at least one entry.
    bool ok = false;
    // Data lines stored.
    int entries = 0;
    // Data lines read, those skipped included: the position after the last one.
    int lines = 0;
    // For the operator, in the order they arose; when !ok the last one ended the read.
    std::vector<std::string> messages;
};

}  // namespace vr::lut
