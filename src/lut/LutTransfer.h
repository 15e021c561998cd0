#pragma once
// One colour's look-up table between the tool and the camera: for every entry the index command,
// then the data command (a set for a write, a query for a read), behind the progress window.

#include <string>

#include "lut/LutTables.h"

namespace vr::app {
struct Services;
}

namespace vr::lut {

struct TransferReport {
    int total = 0;              // commands the transfer was to send
    int sent = 0;               // commands sent
    int failed = 0;             // refused or unanswered among them
    int firstFailedEntry = -1;  // table entry of the first failure
    bool stopped = false;       // the operator stopped it between two commands
    bool gaveUp = false;        // ended after too many failures in a row (a camera that is gone)
    bool Complete() const { return sent == total && failed == 0; }
};

inline constexpr const char* kLutReadText = "Now, reading camera gamma data  ";
inline constexpr const char* kLutWriteText = "Now, writing camera gamma data.";
// A camera that stops answering must not cost every remaining time-out.
inline constexpr int kMaxFailuresInARow = 10;

// Reads a colour's 256 entries into `table`. A failed query ends the read; the entries after it keep
// their values. Values above 4095 are stored as 4095. True when all 256 were read.
bool ReadLutFromCamera(app::Services& services, LutColour colour, LutTable& table);

// Writes a colour's table. Every entry is tried; the report counts what the camera refused or did
// not answer.
TransferReport WriteLutToCamera(app::Services& services, LutColour colour, const LutTable& table);

// What the operator is told after a transfer that did not go through: "3 of 512 commands failed
// (first at entry 17)." and the like; empty for a complete one.
std::string DescribeFailures(const TransferReport& report);

}  // namespace vr::lut
