#include "lut/LutTransfer.h"

#include <algorithm>
#include <chrono>

#include "app/LongOperation.h"
#include "app/Platform.h"
#include "app/Services.h"
#include "protocol/Command.h"

namespace vr::lut {
namespace {

constexpr std::chrono::milliseconds kEntryTimeout(1000);

std::string StepText(const char* text, int done, int total) {
    return std::string(text) + "  (" + std::to_string(done) + " / " + std::to_string(total) + ")";
}

// i / 256 * 100 in single precision, truncated, as the bar has always moved.
int Percent(int i, int total) {
    return static_cast<int>(static_cast<float>(i) / static_cast<float>(total) * 100.0f);
}

}  // namespace

bool ReadLutFromCamera(app::Services& services, LutColour colour, LutTable& table) {
    app::LongOperation operation(services.platform, services.dialogs, kLutReadText);
    operation.SetPercent(0);
    bool complete = true;
    for (int i = 0; i < kLutEntries; ++i) {
        if (!operation.Continue()) {
            complete = false;
            break;
        }
        services.engine.SendCommandInt(IndexCommand(colour), i, kEntryTimeout);
        int32_t value = 0;
        if (services.engine.QueryInt(DataCommand(colour), value, kEntryTimeout) != 1) {
            complete = false;
            break;
        }
        table[static_cast<size_t>(i)] = std::min(value, kLutMaxValue);
        operation.SetText(StepText(kLutReadText, i + 1, kLutEntries));
        operation.SetPercent(Percent(i, kLutEntries));
    }
    operation.Finish();
    return complete;
}

TransferReport WriteLutToCamera(app::Services& services, LutColour colour, const LutTable& table) {
    TransferReport report;
    report.total = 2 * kLutEntries;
    app::LongOperation operation(services.platform, services.dialogs, kLutWriteText);
    operation.SetPercent(0);
    int inARow = 0;
    auto send = [&](uint32_t cmd, int32_t value, int entry) {
        ++report.sent;
        if (services.engine.SendCommandInt(cmd, value, kEntryTimeout) == 1) {
            inARow = 0;
            return;
        }
        ++report.failed;
        ++inARow;
        if (report.firstFailedEntry < 0) report.firstFailedEntry = entry;
    };
    for (int i = 0; i < kLutEntries; ++i) {
        if (!operation.Continue()) {
            report.stopped = true;
            break;
        }
        send(IndexCommand(colour), i, i);
        send(DataCommand(colour), table[static_cast<size_t>(i)], i);
        if (inARow >= kMaxFailuresInARow) {
            report.gaveUp = true;
            break;
        }
        operation.SetText(StepText(kLutWriteText, i + 1, kLutEntries));
        operation.SetPercent(Percent(i, kLutEntries));
    }
    operation.Finish();
    return report;
}

std::string DescribeFailures(const TransferReport& report) {
    if (report.Complete()) return {};
    std::string text;
    if (report.failed > 0)
        text = std::to_string(report.failed) + " of " + std::to_string(report.total) +
               " commands failed (first at entry " + std::to_string(report.firstFailedEntry) + ").";
    if (report.gaveUp)
        text += (text.empty() ? "" : " ") + std::string("The camera stopped answering; the transfer was ended after ") +
                std::to_string(report.sent) + " commands.";
    else if (report.stopped)
        text += (text.empty() ? "" : " ") + std::string("Stopped after ") + std::to_string(report.sent) + " of " +
                std::to_string(report.total) + " commands.";
    return text;
}

}  // namespace vr::lut
