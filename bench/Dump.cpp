// The end-to-end cost of a dump (probe, area, then every setting of the model) against the
// virtual camera pacing its replies at the wire rate of 115200 bit/s, through the real serial link,
// reader thread and pseudo-terminal. Reported as a ratio to the wire time of the bytes exchanged
// (10 bits a byte each way, one after the other since every command waits for its reply): 1.0 would
// mean the tool adds nothing to the line's own time.

#include <benchmark/benchmark.h>

#include <chrono>

#include "PacedCamera.h"
#include "TestServices.h"
#include "link/CommSetting.h"
#include "protocol/Command.h"
#include "protocol/ParameterTable.h"
#include "protocol/TrafficLog.h"
#include "sim/PtyServer.h"
#include "ui/ControlModel.h"
#include "ui/main/CtrlToolDlg.h"

namespace {

using vr::bench::kRate;

void BM_DumpPacedAt115200(benchmark::State& state) {
    vr::test::TestServices services(vr::test::LineKind::Real);
    vr::sim::PtyServer camera;
    if (!vr::bench::StartPacedCamera(state, camera)) return;
    auto& setting = services.link;
    vr::bench::UseCamera(setting, camera);

    uint64_t wireBytes = 0;
    auto count = [&wireBytes](const std::string& line) { wireBytes += line.size() - 4 + 2; };  // "Tx: " off, CR LF on
    services.traffic.SetTerminalSink(count);

    double wireSeconds = 0;
    for (auto _ : state) {
        vr::ui::ControlModel controls;
        vr::ui::NoWindowView view;
        vr::ui::CCtrlToolDlg window(services.Get(), controls, view);
        window.PrepareWindow();
        if (setting.OpenBaud(kRate) != 1 || window.ModelProbe() != 1) {
            state.SkipWithError("the camera did not answer");
            break;
        }
        window.QueryCurrentArea();
        window.ReadAllSettings();
        window.OnDestroy();
    }
    wireSeconds = static_cast<double>(wireBytes) * 10.0 / kRate;
    services.traffic.SetTerminalSink(nullptr);
    setting.Close();
    camera.Stop();
    state.counters["wire_s"] = benchmark::Counter(wireSeconds, benchmark::Counter::kAvgIterations);
    state.counters["bytes"] = benchmark::Counter(static_cast<double>(wireBytes), benchmark::Counter::kAvgIterations);
    state.SetLabel("divide real time by wire_s for the ratio to the wire");
}
BENCHMARK(BM_DumpPacedAt115200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
