#include "lut/TransferTally.h"

#include <cstring>

#include "protocol/Command.h"

namespace vr::lut {
namespace {

std::string EntryName(const char* table, int entry) {
    return (*table != '\0' ? std::string(table) + " entry " : std::string("entry ")) + std::to_string(entry);
}

}  // namespace

void TransferTally::Begin(const char* table, int entry) {
    if (!spans_.empty() && std::strcmp(spans_.back().table, table) == 0) {
        spans_.back().last = entry;
        return;
    }
    spans_.push_back({table, entry, entry});
}

bool TransferTally::Count(bool ok) {
    ++report_.sent;
    if (ok) {
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

void TransferTally::Skip(int commands, const char* table, int entry) {
    if (commands <= 0) return;
    report_.failed += commands;
    NoteFirst(EntryName(table, entry), entry);
}

void TransferTally::NoteFirst(const std::string& where, int entry) {
    if (!report_.firstFailedAt.empty()) return;
    report_.firstFailedAt = where;
    report_.firstFailedEntry = entry;
}

std::string TransferTally::Reached() const {
    std::string text;
    for (const Span& span : spans_) {
        if (!text.empty()) text += ", ";
        if (*span.table != '\0') text += std::string(span.table) + " ";
        text += std::to_string(span.first);
        if (span.last != span.first) text += " to " + std::to_string(span.last);
    }
    return text;
}

void TransferTally::Conclude(const char* verb) {
    if (!report_.stopped && !report_.gaveUp) return;
    std::string text = report_.gaveUp ? "The camera stopped answering: the transfer was ended after " +
                                            std::to_string(kMaxFailuresInARow) + " failures in a row."
                                      : std::string("Stopped by the operator.");
    const std::string reached = Reached();
    text += reached.empty() ? std::string(" No entry was ") + verb + "."
                            : std::string(" Entries ") + verb + ": " + reached + ".";
    report_.detail = report_.detail.empty() ? text : report_.detail + " " + text;
}

}  // namespace vr::lut
