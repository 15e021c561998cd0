// The reader of the hand-kept golden files and the field comparisons that report each mismatch.

#include "GoldenFile.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>

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

GoldenFile::GoldenFile(std::string name) : name_(std::move(name)), path_(std::string(VR_GOLDEN_DIR) + "/" + name_) {
    std::ifstream in(path_);
    if (!in) {
        ADD_FAILURE() << "cannot read " << path_;
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
            ADD_FAILURE_AT(path_.c_str(), static_cast<int>(lineNo))
                << fields.size() << " fields, the header names " << columns_.size();
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
        Fail(std::string(column) + " \"" + text + "\" is not a number");
        return 0;
    }
    return value;
}

std::string GoldenFile::Record::Key() const {
    auto field = [this](size_t i) {
        const std::string& text = fields_[i];
        const bool number = !text.empty() && text.find_first_not_of("-0123456789") == std::string::npos;
        return file_->columns_[i] + (number ? " " + text : " \"" + text + "\"");
    };
    return fields_.size() > 1 ? field(0) + ", " + field(1) : field(0);
}

std::string GoldenFile::Record::Where() const {
    return file_->Name() + ":" + std::to_string(line_) + " (" + Key() + ")";
}

void GoldenFile::Record::Fail(const std::string& message) const {
    ADD_FAILURE_AT(file_->Path().c_str(), static_cast<int>(line_)) << Key() << ": " << message;
}

std::string YesNo(bool value) {
    return value ? "yes" : "no";
}

void ExpectField(const GoldenFile::Record& record, std::string_view field, int64_t golden, int64_t code) {
    if (golden != code)
        record.Fail(std::string(field) + ": golden " + std::to_string(golden) + ", code " + std::to_string(code));
}

void ExpectField(const GoldenFile::Record& record, std::string_view field, std::string_view golden,
                 std::string_view code) {
    if (golden != code)
        record.Fail(std::string(field) + ": golden \"" + std::string(golden) + "\", code \"" + std::string(code) +
                    "\"");
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
