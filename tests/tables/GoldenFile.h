#pragma once
// The hand-kept files of tests/golden: UTF-8, tab-separated, a header naming the columns. Every
// mismatch names the file, line, record, field, the golden value and the tool's value.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace vr::test {

class GoldenFile {
public:
    class Record {
    public:
        Record(const GoldenFile& file, int line, std::vector<std::string> fields)
            : file_(&file), line_(line), fields_(std::move(fields)) {}
        const std::string& Text(const std::string& column) const { return fields_[file_->Column(column)]; }
        // A decimal number; a field that is not one fails the test and gives 0.
        int64_t Int(const std::string& column) const {
            const std::string& text = Text(column);
            int64_t value = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (ec == std::errc() && end == text.data() + text.size() && !text.empty()) return value;
            Fail(column + " \"" + text + "\" is not a number");
            return 0;
        }
        // "parameters.tsv:33 (row 31, ctrl 1041)": the line and the first two fields, which name the record.
        std::string Where() const { return file_->name_ + ":" + std::to_string(line_) + " (" + Key() + ")"; }
        // Fails the test at this record's line of the golden file.
        void Fail(const std::string& message) const {
            ADD_FAILURE_AT(file_->path_.c_str(), line_) << Key() << ": " << message;
        }

    private:
        std::string Key() const {
            return file_->columns_[0] + " " + fields_[0] + ", " + file_->columns_[1] + " " + fields_[1];
        }
        const GoldenFile* file_;
        int line_;
        std::vector<std::string> fields_;
    };

    // Reads tests/golden/<name>; a missing file or a line with the wrong number of fields fails the test.
    explicit GoldenFile(std::string name) : name_(std::move(name)), path_(std::string(VR_GOLDEN_DIR) + "/" + name_) {
        std::ifstream in(path_);
        if (!in) ADD_FAILURE() << "cannot read " << path_;
        std::string line;
        for (int lineNo = 1; std::getline(in, line); ++lineNo) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty()) continue;
            std::vector<std::string> fields(1);
            for (char c : line) c == '\t' ? void(fields.emplace_back()) : fields.back().push_back(c);
            if (columns_.empty())
                columns_ = std::move(fields);
            else if (fields.size() != columns_.size())
                ADD_FAILURE_AT(path_.c_str(), lineNo)
                    << fields.size() << " fields, the header names " << columns_.size();
            else
                records_.emplace_back(*this, lineNo, std::move(fields));
        }
    }
    GoldenFile(const GoldenFile&) = delete;
    GoldenFile& operator=(const GoldenFile&) = delete;

    const std::vector<Record>& Records() const { return records_; }

private:
    size_t Column(const std::string& column) const {
        const auto it = std::find(columns_.begin(), columns_.end(), column);
        if (it == columns_.end()) ADD_FAILURE() << name_ << " has no column " << column;
        return it == columns_.end() ? 0 : static_cast<size_t>(it - columns_.begin());
    }
    std::string name_, path_;
    std::vector<std::string> columns_;
    std::vector<Record> records_;
};

inline std::string YesNo(bool value) {
    return value ? "yes" : "no";
}

// One field of one record: the golden value against the tool's value.
inline void ExpectField(const GoldenFile::Record& record, std::string_view field, int64_t golden, int64_t code) {
    if (golden != code)
        record.Fail(std::string(field) + ": golden " + std::to_string(golden) + ", code " + std::to_string(code));
}
inline void ExpectField(const GoldenFile::Record& record, std::string_view field, std::string_view golden,
                        std::string_view code) {
    if (golden != code)
        record.Fail(std::string(field) + ": golden \"" + std::string(golden) + "\", code \"" + std::string(code) +
                    "\"");
}

// Fields named like their golden columns, each with the tool's value: a number or a text.
inline void ExpectFields(const GoldenFile::Record& record,
                         std::initializer_list<std::pair<const char*, std::variant<int64_t, std::string>>> fields) {
    for (const auto& [column, code] : fields)
        if (const auto* number = std::get_if<int64_t>(&code))
            ExpectField(record, column, record.Int(column), *number);
        else
            ExpectField(record, column, record.Text(column), std::get<std::string>(code));
}

// Two id lists that must hold the same ids: every id only in one of them is reported.
template <class Id>
void ExpectSameIds(std::string_view what, std::vector<int64_t> golden, const std::vector<Id>& codeIds) {
    std::vector<int64_t> code(codeIds.begin(), codeIds.end()), onlyGolden, onlyCode;
    std::sort(golden.begin(), golden.end());
    std::sort(code.begin(), code.end());
    std::set_difference(golden.begin(), golden.end(), code.begin(), code.end(), std::back_inserter(onlyGolden));
    std::set_difference(code.begin(), code.end(), golden.begin(), golden.end(), std::back_inserter(onlyCode));
    for (int64_t id : onlyGolden) ADD_FAILURE() << what << ": " << id << " is in the golden data, not in the code";
    for (int64_t id : onlyCode) ADD_FAILURE() << what << ": " << id << " is in the code, not in the golden data";
}

}  // namespace vr::test
