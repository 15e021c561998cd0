#pragma once
// The colour look-up tables between the tool and the camera: for every entry the index command,
// then the data command (a set for a write, a query for a read), behind the progress window.
//
// Every command's result is counted. An entry whose index the camera did not take gets no data
// command: it would read or overwrite the entry selected before. Ten failures in a row end a
// transfer (a camera that is gone must not cost every remaining time-out), and the operator can stop
// one between two entries.

#include <chrono>
#include <string>

#include "lut/LutTables.h"

namespace vr::camera {
struct Services;
}

namespace vr::lut {

struct TransferReport {
    int total = 0;              // commands the transfer was to send
    int sent = 0;               // commands sent: answered or failed
    int answered = 0;           // commands the camera answered as asked (COMPLETE, or the value queried)
    int failed = 0;             // commands sent that the camera refused or did not answer
    int firstFailedEntry = -1;  // table entry of the first failure
    bool stopped = false;       // the operator stopped it between two commands
    bool gaveUp = false;        // ended after too many failures in a row (a camera that is gone)
    std::string firstFailedAt;  // where the first failure was: "entry 17", "green entry 17", "the G plane"
    std::string firstFailure;   // what went wrong there, as the engine tells it
    std::string lastConfirmed;  // the last entry the camera answered both commands of: "red 147"; empty for none
    std::string detail;         // how an incomplete transfer ended
    // Left out: after the end, or because the entry or plane they belong to could not be selected.
    int NotAttempted() const { return total - sent; }
    bool Complete() const { return answered == total; }
};

// How long each kind of command may wait for its answer. Tests shorten them.
struct TransferTimeouts {
    std::chrono::milliseconds entry{1000};    // a table entry's index or data
    std::chrono::milliseconds plane{3000};    // the selection of a shading plane
    std::chrono::milliseconds command{5000};  // the shading mode, apply and store
};

inline constexpr const char* kLutReadText = "Now, reading camera gamma data  ";
inline constexpr const char* kLutWriteText = "Now, writing camera gamma data.";
// A camera that stops answering must not cost every remaining time-out.
inline constexpr int kMaxFailuresInARow = 10;
// Index and data command for each entry of the three tables.
inline constexpr int kAllLutCommands = 3 * 2 * kLutEntries;

// Reads a colour's 256 entries into `table`. A failed command ends the read; the entries after it
// keep their values. Values above 4095 are stored as 4095. True when all 256 were read.
bool ReadLutFromCamera(camera::Services& services, LutColour colour, LutTable& table);
// The same with its report.
TransferReport ReadLutTable(camera::Services& services, LutColour colour, LutTable& table,
                            const TransferTimeouts& timeouts = {});

// Writes a colour's table. Every entry is tried; the report counts what the camera refused or did
// not answer.
TransferReport WriteLutToCamera(camera::Services& services, LutColour colour, const LutTable& table);
TransferReport WriteLutToCamera(camera::Services& services, LutColour colour, const LutTable& table,
                                const TransferTimeouts& timeouts);

// Red, green, blue in that order, each shown as read when its read has ended; the reads stop at the
// first that fails. Counted out of all 1536 commands.
TransferReport ReadAllLuts(camera::Services& services, ILutTables& tables, const TransferTimeouts& timeouts = {});
// Writes red, green, blue in that order; a stopped or abandoned write leaves the rest unwritten.
TransferReport WriteAllLuts(camera::Services& services, ILutTables& tables, const TransferTimeouts& timeouts = {});

// What the operator is told after a transfer that did not go through: how many commands the camera
// answered, how many failed (and where the first did) and how many were not attempted, the last
// entry the camera confirmed, and how it ended; empty for a complete one.
std::string DescribeFailures(const TransferReport& report);

}  // namespace vr::lut
