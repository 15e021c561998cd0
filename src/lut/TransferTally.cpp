#include "lut/TransferTally.h"

#include "protocol/Command.h"

namespace vr::lut {
namespace {

std::string EntryName(const char* table, int entry) {
    return (*table != '\0' ? std::string(table) + " entry " : std::string("entry ")) + std::to_string(entry);
}

}  // namespace

bool TransferTally::Count(bool ok) {
    ++report_.sent;
    if (ok) {
        ++report_.answered;
        inARow_ = 0;
        return true;
    }
    ++report_.failed;
    if (++inARow_ >= kMaxFailuresInARow) report_.gaveUp = true;
    return false;
}

bool TransferTally::Record(bool ok, const char* table, int entry) {
    if (!Count(ok) && report_.firstFailedAt.empty()) {
        NoteFirst(EntryName(table, entry), entry);
        report_.firstFailure = engine_.LastFailure().Describe();
    }
    return !report_.gaveUp;
}

bool TransferTally::RecordAt(bool ok, const std::string& where) {
    if (!Count(ok) && report_.firstFailedAt.empty()) {
        NoteFirst(where, -1);
        report_.firstFailure = engine_.LastFailure().Describe();
    }
    return !report_.gaveUp;
}

void TransferTally::Confirmed(const char* table, int entry) {
    report_.lastConfirmed = (*table != '\0' ? std::string(table) + " " : std::string()) + std::to_string(entry);
}

void TransferTally::NoteFirst(const std::string& where, int entry) {
    if (!report_.firstFailedAt.empty()) return;
    report_.firstFailedAt = where;
    report_.firstFailedEntry = entry;
}

void TransferTally::Conclude() {
    if (!report_.stopped && !report_.gaveUp) return;
    const std::string text = report_.gaveUp ? "The camera stopped answering: the transfer was ended after " +
                                                  std::to_string(kMaxFailuresInARow) + " failures in a row."
                                            : std::string("Stopped by the operator.");
    report_.detail = report_.detail.empty() ? text : report_.detail + " " + text;
}

}  // namespace vr::lut
