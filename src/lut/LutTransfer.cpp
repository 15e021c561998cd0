#include "lut/LutTransfer.h"

#include <algorithm>
#include <vector>

#include "camera/LongOperation.h"
#include "camera/Services.h"
#include "lut/TransferTally.h"
#include "protocol/Command.h"

namespace vr::lut {
namespace {

constexpr const char* kColourNames[] = {"red", "green", "blue"};

const char* ColourName(LutColour colour) {
    return kColourNames[static_cast<int>(colour)];
}

std::string StepText(const char* text, int done, int total) {
    return std::string(text) + "  (" + std::to_string(done) + " / " + std::to_string(total) + ")";
}

// i / 256 * 100 in single precision, truncated, as the bar has always moved.
int Percent(int i, int total) {
    return static_cast<int>(static_cast<float>(i) / static_cast<float>(total) * 100.0f);
}

// One colour's read into the report and tally of the whole transfer; `label` names the table in
// the report ("" when it is the only one). True when all its entries were read.
bool ReadOne(camera::Services& services, LutColour colour, LutTable& table, const TransferTimeouts& timeouts,
             const char* label, TransferReport& report, TransferTally& tally) {
    protocol::Command& engine = services.engine;
    camera::LongOperation operation(services, kLutReadText);
    operation.SetPercent(0);
    bool complete = true;
    for (int i = 0; i < kLutEntries; ++i) {
        if (!operation.Continue()) {
            report.stopped = true;
            complete = false;
            break;
        }
        // Without its index the query would answer the entry selected before.
        const bool selected = engine.SendCommandInt(IndexCommand(colour), i, timeouts.entry) == 1;
        tally.Record(selected, label, i);
        int32_t value = 0;
        const bool answered = selected && engine.QueryInt(DataCommand(colour), value, timeouts.entry) == 1;
        if (selected) tally.Record(answered, label, i);
        if (!answered) {
            report.detail = "The read ended there.";
            complete = false;
            break;
        }
        tally.Confirmed(label, i);
        table[static_cast<size_t>(i)] = std::min(value, kLutMaxValue);
        operation.SetText(StepText(kLutReadText, i + 1, kLutEntries));
        operation.SetPercent(Percent(i, kLutEntries));
    }
    operation.Finish();
    return complete;
}

// One colour's write; false when the transfer has to end (stopped, or the camera is gone).
bool WriteOne(camera::Services& services, LutColour colour, const LutTable& table, const TransferTimeouts& timeouts,
              const char* label, TransferReport& report, TransferTally& tally) {
    protocol::Command& engine = services.engine;
    // The write goes on past refusals and reports them once at its end.
    const protocol::Command::Quiet quiet(engine);
    camera::LongOperation operation(services, kLutWriteText);
    operation.SetPercent(0);
    for (int i = 0; i < kLutEntries; ++i) {
        if (!operation.Continue()) {
            report.stopped = true;
            break;
        }
        const bool selected = engine.SendCommandInt(IndexCommand(colour), i, timeouts.entry) == 1;
        if (!tally.Record(selected, label, i)) break;
        // Without its index the data would overwrite the entry selected before: it is not sent.
        if (selected) {
            const bool taken =
                engine.SendCommandInt(DataCommand(colour), table[static_cast<size_t>(i)], timeouts.entry) == 1;
            if (taken) tally.Confirmed(label, i);
            if (!tally.Record(taken, label, i)) break;
        }
        operation.SetText(StepText(kLutWriteText, i + 1, kLutEntries));
        operation.SetPercent(Percent(i, kLutEntries));
    }
    operation.Finish();
    return !report.stopped && !report.gaveUp;
}

}  // namespace

TransferReport ReadLutTable(camera::Services& services, LutColour colour, LutTable& table,
                            const TransferTimeouts& timeouts) {
    TransferReport report;
    report.total = 2 * kLutEntries;
    TransferTally tally(report, services.engine);
    ReadOne(services, colour, table, timeouts, "", report, tally);
    tally.Conclude();
    return report;
}

bool ReadLutFromCamera(camera::Services& services, LutColour colour, LutTable& table) {
    return ReadLutTable(services, colour, table).Complete();
}

TransferReport WriteLutToCamera(camera::Services& services, LutColour colour, const LutTable& table) {
    return WriteLutToCamera(services, colour, table, TransferTimeouts{});
}

TransferReport WriteLutToCamera(camera::Services& services, LutColour colour, const LutTable& table,
                                const TransferTimeouts& timeouts) {
    TransferReport report;
    report.total = 2 * kLutEntries;
    TransferTally tally(report, services.engine);
    WriteOne(services, colour, table, timeouts, "", report, tally);
    tally.Conclude();
    return report;
}

TransferReport ReadAllLuts(camera::Services& services, ILutTables& tables, const TransferTimeouts& timeouts) {
    TransferReport report;
    report.total = kAllLutCommands;
    TransferTally tally(report, services.engine);
    for (LutColour colour : kLutColours) {
        const bool complete =
            ReadOne(services, colour, tables.Table(colour), timeouts, ColourName(colour), report, tally);
        // The editor shows what it holds now, complete or not.
        tables.ShowAsRead(colour);
        if (!complete) break;
    }
    tally.Conclude();
    return report;
}

TransferReport WriteAllLuts(camera::Services& services, ILutTables& tables, const TransferTimeouts& timeouts) {
    TransferReport report;
    report.total = kAllLutCommands;
    TransferTally tally(report, services.engine);
    for (LutColour colour : kLutColours)
        if (!WriteOne(services, colour, tables.Table(colour), timeouts, ColourName(colour), report, tally)) break;
    tally.Conclude();
    return report;
}

std::string DescribeFailures(const TransferReport& report) {
    if (report.Complete()) return {};
    // "Of 1536 commands, 296 were answered, 19 failed (first at ...) and 1221 were not attempted."
    std::vector<std::string> counts = {std::to_string(report.answered) + " were answered"};
    if (report.failed > 0) {
        const std::string at =
            report.firstFailedAt.empty() ? "entry " + std::to_string(report.firstFailedEntry) : report.firstFailedAt;
        counts.push_back(std::to_string(report.failed) + " failed (first at " + at +
                         (report.firstFailure.empty() ? "" : ": " + report.firstFailure) + ")");
    }
    if (report.NotAttempted() > 0) counts.push_back(std::to_string(report.NotAttempted()) + " were not attempted");
    std::string text = "Of " + std::to_string(report.total) + " commands, ";
    for (size_t i = 0; i < counts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == counts.size() ? " and " : ", ") + counts[i];
    text += report.lastConfirmed.empty() ? ". The camera confirmed no entry."
                                         : ". The last entry the camera confirmed is " + report.lastConfirmed + ".";
    if (!report.detail.empty()) text += " " + report.detail;
    return text;
}

}  // namespace vr::lut
