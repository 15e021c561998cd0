#pragma once
// The bookkeeping of one transfer: counts each command's result into the transfer's report, notes
// the first failure, ends the transfer after too many failures in a row, and remembers which entries
// of which table it reached, for the report of a transfer that did not get to its end.

#include <string>
#include <vector>

#include "lut/LutTransfer.h"

namespace vr::protocol {
class Command;
}

namespace vr::lut {

class TransferTally {
public:
    // The engine tells why its last command failed.
    TransferTally(TransferReport& report, const protocol::Command& engine) : report_(report), engine_(engine) {}

    // The transfer starts on an entry of a table ("" for a transfer of one table only).
    void Begin(const char* table, int entry);
    // One command's result; false once the transfer has to end.
    bool Record(bool ok, const char* table, int entry);
    // The same for a command that is not about one entry; `where` names it for the report.
    bool RecordAt(bool ok, const std::string& where);
    // Commands left out because the entry or plane they belong to could not be selected.
    void Skip(int commands, const char* table, int entry);
    bool GaveUp() const { return report_.gaveUp; }

    // "red 0 to 255, green 0 to 36": the entries the transfer reached.
    std::string Reached() const;
    // Fills the report's detail for a transfer that was stopped or given up; `verb` is what was
    // done with the entries ("sent", "read").
    void Conclude(const char* verb);

private:
    struct Span {
        const char* table;
        int first;
        int last;
    };
    bool Count(bool ok);
    void NoteFirst(const std::string& where, int entry);

    TransferReport& report_;
    const protocol::Command& engine_;
    int inARow_ = 0;
    std::vector<Span> spans_;
};

}  // namespace vr::lut
