#pragma once
// Printing NAME=VALUE results for people, or one JSON object for scripts.

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

namespace vr::cli {

// Objects keep their keys in the order they were added: parameter-table order, the dialog's order.
using Json = nlohmann::ordered_json;

struct OutputValue {
    std::string name;
    std::string text;  // the value as the camera gave it
    bool isText;       // a text value (quoted in JSON) rather than a number
};

// "NAME=VALUE" lines (texts printable, as protocol::Command::Printable shows them), or
// {"NAME":VALUE,...} with --json, where a name given twice is one key holding its last value.
std::string FormatValues(const std::vector<OutputValue>& values, bool json);
// The values as one JSON object, as FormatValues prints it.
Json ValuesObject(const std::vector<OutputValue>& values);

// A text from the camera or a file as a JSON string: UTF-8 as it is, any other byte as the
// character of its value, so nothing that came is lost and no broken UTF-8 reaches the reader.
Json JsonText(const std::string& bytes);
// One line of JSON without its line end. Everything beyond ASCII is escaped (\uXXXX), and so are
// control characters, so no byte of it acts on a terminal.
std::string DumpJson(const Json& value);

// Before a file is written: kExitFile (told) when it is nothing a write may replace (a device, a FIFO,
// a read-only file), kExitUsage (told) when it exists and `replace` was not given, else kExitOk.
int CheckFileToWrite(const std::string& path, bool replace);

// The one way the tool writes its lines. Print puts TEXT on stdout as it stands and flushes it, so
// results and messages reach a terminal in the order they were made.
void Print(const std::string& text);

// One "vr8200ctl: TEXT" line on stderr.
void PrintError(const std::string& text);

}  // namespace vr::cli
