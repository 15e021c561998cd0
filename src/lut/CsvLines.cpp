#include "lut/CsvLines.h"

#include <limits>

namespace vr::lut {

bool CsvLines::Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const size_t end = text_.find('\n', pos_);
    const size_t stop = end == std::string_view::npos ? text_.size() : end;
    line = text_.substr(pos_, stop - pos_);
    if (!line.empty() && line.back() == '\r' && end != std::string_view::npos) line.remove_suffix(1);
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++lineNumber_;
    return true;
}

CsvFields SplitCsvFields(std::string_view line) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    CsvFields fields;
    for (char c : line) {
        if (c == ',') {
            if (++fields.commas == 3) {
                fields.extraComma = true;
                break;
            }
            continue;
        }
        if (c < '0' || c > '9') continue;
        int32_t& value = fields.values[static_cast<size_t>(fields.commas)];
        const int digit = c - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return fields;
}

}  // namespace vr::lut
