// What the change journal adds to the camera's own work: a settings file load (every line of a file
// saved from the camera) and a LUT write of the three tables, against the virtual camera pacing its
// replies at 115200 bit/s, each run with the journal off and on one after the other in every
// iteration (the order turning each time). Reports `added_pct`, the median over the iterations of the
// journal's share over the run without it, which should stay within 2 (a machine busy with other work
// spreads single iterations far wider), and `flush_ms`, the time the journal then takes to write
// what it was handed, after the work (a program's exit waits for it, no command does).

#include "journal/Journal.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "PacedCamera.h"
#include "TestServices.h"
#include "camera/CameraSession.h"
#include "journal/Recorder.h"
#include "lut/PlainLutTables.h"
#include "lut/TableFiles.h"
#include "settings/SettingsFile.h"
#include "sim/PtyServer.h"

namespace {

using Clock = std::chrono::steady_clock;
using Work = std::function<bool(vr::camera::CameraSession&)>;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void Measure(benchmark::State& state, const std::function<Work(vr::camera::CameraSession&, vr::test::TempDir&)>& make) {
    vr::test::TestServices services(vr::test::LineKind::Real);
    vr::sim::PtyServer camera;
    if (!vr::bench::StartPacedCamera(state, camera)) return;
    vr::bench::UseCamera(services.link, camera);
    vr::camera::CameraSession session(services.Get());
    if (services.link.OpenBaud(vr::bench::kRate) != 1 || session.ModelProbe() != 1) {
        state.SkipWithError("the camera did not answer");
        return;
    }
    const Work work = make(session, services.dir);
    const std::string path = services.dir / "journal.sqlite";
    double off = 0, on = 0, flush = 0;
    std::vector<double> added;
    bool journalFirst = false;
    for (auto _ : state) {
        const double offBefore = off, onBefore = on;
        for (int half = 0; half < 2; ++half) {
            if ((half == 0) == journalFirst) {
                vr::journal::Journal journal(path);
                vr::journal::Recorder recorder(session, journal, vr::journal::ThisOrigin("bench"));
                const auto start = Clock::now();
                if (!work(session)) state.SkipWithError("the camera did not take it all");
                on += Seconds(start);
                const auto flushStart = Clock::now();
                journal.Flush();
                flush += Seconds(flushStart);
            } else {
                const auto start = Clock::now();
                if (!work(session)) state.SkipWithError("the camera did not take it all");
                off += Seconds(start);
            }
        }
        journalFirst = !journalFirst;
        if (off > offBefore) added.push_back(((on - onBefore) - (off - offBefore)) * 100.0 / (off - offBefore));
    }
    services.link.Close();
    camera.Stop();
    const double n = static_cast<double>(state.iterations());
    state.counters["off_ms"] = off * 1e3 / n;
    state.counters["on_ms"] = on * 1e3 / n;
    std::sort(added.begin(), added.end());
    state.counters["added_pct"] = added.empty() ? 0 : added[added.size() / 2];
    state.counters["flush_ms"] = flush * 1e3 / n;
}

void BM_SettingsLoadJournalOffVsOn(benchmark::State& state) {
    Measure(state, [](vr::camera::CameraSession& session, vr::test::TempDir& dir) -> Work {
        const std::string file = dir / "all.cam";
        session.ReadAllSettings();
        vr::settings::SettingsFile(session).Write(file, vr::settings::SettingsVariant::AllData);
        return [file](vr::camera::CameraSession& s) {
            const vr::settings::SettingsLoad load = vr::settings::SettingsFile(s).Load(file);
            return load.opened && load.refused.empty();
        };
    });
}
BENCHMARK(BM_SettingsLoadJournalOffVsOn)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(9);

void BM_LutWriteJournalOffVsOn(benchmark::State& state) {
    static vr::lut::PlainLutTables tables;
    for (vr::lut::LutColour colour : vr::lut::kLutColours)
        for (int i = 0; i < vr::lut::kLutEntries; ++i) tables.Table(colour)[static_cast<size_t>(i)] = 4095 - 8 * i;
    Measure(state, [](vr::camera::CameraSession& session, vr::test::TempDir&) -> Work {
        return [&session](vr::camera::CameraSession&) {
            vr::lut::TableFiles files(session, tables);
            return files.WriteLutTables() == vr::lut::TableFileOutcome::Done;
        };
    });
}
BENCHMARK(BM_LutWriteJournalOffVsOn)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
