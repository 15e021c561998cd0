#include "GoldenFile.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vr::test {
namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

}  // namespace

GoldenFile::GoldenFile(std::string name) : name_(std::move(name)) {
    std::ifstream in(std::string(VR_GOLDEN_DIR) + "/" + name_);
    if (!in) {
        ADD_FAILURE() << "cannot read " << VR_GOLDEN_DIR << "/" << name_;
        return;
    }
    std::string line;
    size_t lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::vector<std::string> fields = SplitTabs(line);
        if (columns_.empty()) {
            columns_ = std::move(fields);
            continue;
        }
        if (fields.size() != columns_.size()) {
            ADD_FAILURE() << name_ << ":" << lineNo << ": " << fields.size() << " fields, the header names "
                          << columns_.size();
            continue;
        }
        records_.emplace_back(*this, lineNo, std::move(fields));
    }
}

size_t GoldenFile::Column(std::string_view column) const {
    auto it = std::find(columns_.begin(), columns_.end(), column);
    if (it == columns_.end()) {
        ADD_FAILURE() << name_ << " has no column " << column;
        return 0;
    }
    return static_cast<size_t>(it - columns_.begin());
}

const std::string& GoldenFile::Record::Text(std::string_view column) const {
    return fields_[file_->Column(column)];
}

int64_t GoldenFile::Record::Int(std::string_view column) const {
    const std::string& text = Text(column);
    int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        ADD_FAILURE() << Where() << ": " << column << " \"" << text << "\" is not a number";
        return 0;
    }
    return value;
}

bool GoldenFile::Record::Flag(std::string_view column) const {
    const std::string& text = Text(column);
    if (text != "yes" && text != "no")
        ADD_FAILURE() << Where() << ": " << column << " \"" << text << "\" is not yes/no";
    return text == "yes";
}

std::string GoldenFile::Record::Where() const {
    std::ostringstream out;
    out << file_->Name() << ":" << line_ << " (" << file_->columns_[0] << " " << fields_[0];
    if (fields_.size() > 1) out << ", " << file_->columns_[1] << " \"" << fields_[1] << "\"";
    out << ")";
    return out.str();
}

std::string YesNo(bool value) {
    return value ? "yes" : "no";
}

void ExpectField(const GoldenFile::Record& record, std::string_view field, int64_t golden, int64_t code) {
    EXPECT_TRUE(golden == code) << record.Where() << ": " << field << ": golden " << golden << ", code " << code;
}

void ExpectField(const GoldenFile::Record& record, std::string_view field, std::string_view golden,
                 std::string_view code) {
    EXPECT_TRUE(golden == code) << record.Where() << ": " << field << ": golden \"" << golden << "\", code \"" << code
                                << "\"";
}

void ExpectSameIds(std::string_view what, std::vector<int64_t> golden, std::vector<int64_t> code) {
    std::sort(golden.begin(), golden.end());
    std::sort(code.begin(), code.end());
    std::vector<int64_t> onlyGolden, onlyCode;
    std::set_difference(golden.begin(), golden.end(), code.begin(), code.end(), std::back_inserter(onlyGolden));
    std::set_difference(code.begin(), code.end(), golden.begin(), golden.end(), std::back_inserter(onlyCode));
    for (int64_t id : onlyGolden) ADD_FAILURE() << what << ": " << id << " is in the golden data, not in the code";
    for (int64_t id : onlyCode) ADD_FAILURE() << what << ": " << id << " is in the code, not in the golden data";
}

}  // namespace vr::test
