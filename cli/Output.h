#pragma once
// Printing NAME=VALUE results for people, or one JSON object for scripts.

#include <string>
#include <utility>
#include <vector>

namespace vr::cli {

struct OutputValue {
    std::string name;
    std::string text;  // the value as the camera gave it
    bool isText;       // a text value (quoted in JSON) rather than a number
};

// "NAME=VALUE" lines (texts printable, as protocol::Command::Printable shows them), or
// {"NAME": VALUE, ...} with --json, where a name given twice is one key holding its last value.
std::string FormatValues(const std::vector<OutputValue>& values, bool json);

std::string JsonString(const std::string& text);

// Before a file is written: kExitFile (told) when it is nothing a write may replace (a device, a FIFO,
// a read-only file), kExitUsage (told) when it exists and `replace` was not given, else kExitOk.
int CheckFileToWrite(const std::string& path, bool replace);

// The one way the tool writes its lines. Print puts TEXT on stdout as it stands and flushes it, so
// results and messages reach a terminal in the order they were made.
void Print(const std::string& text);

// One "vr8200ctl: TEXT" line on stderr.
void PrintError(const std::string& text);

}  // namespace vr::cli
