#include "lut/ShadingTransfer.h"

#include "camera/LongOperation.h"
#include "camera/Services.h"
#include "lut/TransferTally.h"
#include "protocol/Command.h"

namespace vr::lut {
namespace {

constexpr int kShadingSteps = kShadingPlanes * kShadingEntries;

// (plane * 1024 + entry) / 3072 * 100 in single precision, truncated, as the bar has always moved.
int Percent(int step) {
    return static_cast<int>(static_cast<float>(step) / static_cast<float>(kShadingSteps) * 100.0f);
}

// The loop both directions share: select each plane, then for each entry select it and hand it to
// `value`, which sends or queries the entry's value and returns its result. Ends early when the
// operator stops or the camera is gone; true when it ran to its end.
template <typename ValueCommand>
bool EachEntry(camera::Services& services, const char* text, const TransferTimeouts& timeouts, TransferReport& report,
               TransferTally& tally, ValueCommand value) {
    protocol::Command& engine = services.engine;
    // Both directions go on past refusals and report them once at their end.
    const protocol::Command::Quiet quiet(engine);
    camera::LongOperation operation(services, text);
    operation.SetPercent(0);
    const std::string stepText = std::string(text) + "  (";
    const std::string stepTotal = " / " + std::to_string(kShadingSteps) + ")";
    for (int plane = 0; plane < kShadingPlanes; ++plane) {
        const char* name = ShadingPlaneName(plane);
        if (!operation.Continue()) {
            report.stopped = true;
            break;
        }
        const bool planeSelected = engine.SendCommandInt(protocol::cmd::SDDS, plane, timeouts.plane) == 1;
        if (!tally.RecordAt(planeSelected, std::string("the selection of the ") + name + " plane")) break;
        // Its entries would go to or come from the plane selected before: none is attempted.
        if (!planeSelected) continue;
        for (int entry = 1; entry <= kShadingEntries; ++entry) {
            if (!operation.Continue()) {
                report.stopped = true;
                break;
            }
            const bool selected = engine.SendCommandInt(protocol::cmd::SDDI, entry, timeouts.entry) == 1;
            if (!tally.Record(selected, name, entry)) break;
            // Without its selection the value would go to or come from the entry selected before.
            if (selected) {
                const bool done = value(plane, entry) == 1;
                if (done) tally.Confirmed(name, entry);
                if (!tally.Record(done, name, entry)) break;
            }
            const int step = plane * kShadingEntries + entry;
            operation.SetText(stepText + std::to_string(step) + stepTotal);
            operation.SetPercent(Percent(step));
        }
        if (report.stopped || report.gaveUp) break;
    }
    operation.Finish();
    return !report.stopped && !report.gaveUp;
}

}  // namespace

bool QueryShadingMode(camera::Services& services, int32_t& mode, const TransferTimeouts& timeouts) {
    return services.engine.QueryInt(protocol::cmd::SDM, mode, timeouts.command) == 1;
}

TransferReport ReadShadingFromCamera(camera::Services& services, ShadingBuffer& buffer,
                                     const TransferTimeouts& timeouts) {
    TransferReport report;
    report.total = kShadingReadCommands;
    TransferTally tally(report, services.engine);
    protocol::Command& engine = services.engine;
    EachEntry(services, kShadingReadText, timeouts, report, tally, [&](int plane, int entry) {
        int32_t v = 0;
        if (engine.QueryInt(protocol::cmd::SDD, v, timeouts.entry) != 1) return 0;
        buffer[static_cast<size_t>(plane)][static_cast<size_t>(entry - 1)] = v;
        return 1;
    });
    tally.Conclude();
    return report;
}

TransferReport WriteShadingToCamera(camera::Services& services, const ShadingBuffer& buffer,
                                    const TransferTimeouts& timeouts) {
    TransferReport report;
    report.total = kShadingWriteCommands;
    TransferTally tally(report, services.engine);
    protocol::Command& engine = services.engine;
    const bool all = EachEntry(services, kShadingWriteText, timeouts, report, tally, [&](int plane, int entry) {
        return engine.SendCommandInt(
            protocol::cmd::SDD, buffer[static_cast<size_t>(plane)][static_cast<size_t>(entry - 1)], timeouts.entry);
    });
    if (all) tally.RecordAt(engine.SendCommandInt(protocol::cmd::SDDU, 0, timeouts.command) == 1, "\"SDDU\"");
    tally.Conclude();
    if (!all) report.detail += (report.detail.empty() ? "" : " ") + std::string("\"SDDU\" was not sent.");
    return report;
}

int StoreShadingInFlash(camera::Services& services, const TransferTimeouts& timeouts) {
    return services.engine.SendCommandInt(protocol::cmd::SDDA, 0, timeouts.command);
}

}  // namespace vr::lut
