#pragma once
// The hand-kept data files of tests/golden: UTF-8, tab-separated, one record per line under a header
// line that names the columns. The tables of the tool are compared with them field by field; every
// mismatch names the file, line, record, field, the golden value and the tool's value.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vr::test {

class GoldenFile {
public:
    class Record {
    public:
        Record(const GoldenFile& file, size_t line, std::vector<std::string> fields)
            : file_(&file), line_(line), fields_(std::move(fields)) {}
        const std::string& Text(std::string_view column) const;
        // A decimal number; a field that is not one fails the test and gives 0.
        int64_t Int(std::string_view column) const;
        // "row 31, ctrl 1041": the first two fields, which name the record.
        std::string Key() const;
        // "parameters.tsv:33 (row 31, ctrl 1041)".
        std::string Where() const;
        // Fails the test at this record's line of the golden file.
        void Fail(const std::string& message) const;

    private:
        const GoldenFile* file_;
        size_t line_;
        std::vector<std::string> fields_;
    };

    // Reads tests/golden/<name>; a missing file or a line with the wrong number of fields fails the test.
    explicit GoldenFile(std::string name);
    GoldenFile(const GoldenFile&) = delete;
    GoldenFile& operator=(const GoldenFile&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Path() const { return path_; }
    const std::vector<Record>& Records() const { return records_; }
    size_t Column(std::string_view column) const;

private:
    std::string name_;
    std::string path_;
    std::vector<std::string> columns_;
    std::vector<Record> records_;
};

std::string YesNo(bool value);

// One field of one record: the golden value against the tool's value.
void ExpectField(const GoldenFile::Record& record, std::string_view field, int64_t golden, int64_t code);
void ExpectField(const GoldenFile::Record& record, std::string_view field, std::string_view golden,
                 std::string_view code);

// Two id lists that must hold the same ids: every id only in one of them is reported.
void ExpectSameIds(std::string_view what, std::vector<int64_t> golden, std::vector<int64_t> code);

}  // namespace vr::test
