#pragma once
// The bookkeeping of one transfer: counts each command's result into the transfer's report, notes
// the first failure and the last entry the camera confirmed, and ends the transfer after too many
// failures in a row.

#include <string>

#include "lut/LutTransfer.h"

namespace vr::protocol {
class Command;
}

namespace vr::lut {

class TransferTally {
public:
    // The engine tells why its last command failed.
    TransferTally(TransferReport& report, const protocol::Command& engine) : report_(report), engine_(engine) {}

    // One command's result for an entry of a table ("" for a transfer of one table only); false once
    // the transfer has to end.
    bool Record(bool ok, const char* table, int entry);
    // The same for a command that is not about one entry; `where` names it for the report.
    bool RecordAt(bool ok, const std::string& where);
    // The camera answered every command of the entry: the data reached it, or came from it.
    void Confirmed(const char* table, int entry);
    bool GaveUp() const { return report_.gaveUp; }

    // Fills the report's detail for a transfer that was stopped or given up.
    void Conclude();

private:
    bool Count(bool ok);
    void NoteFirst(const std::string& where, int entry);

    TransferReport& report_;
    const protocol::Command& engine_;
    int inARow_ = 0;
};

}  // namespace vr::lut
