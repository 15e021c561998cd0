// Reading all settings in the desktop tool, windows and all: the main window on Qt's offscreen
// platform with its communication dialog and terminal listing every line, against the virtual camera
// pacing its replies at 115200 bit/s over a pseudo-terminal. Reported, like bench_dump, with the wire
// time of the bytes exchanged (wire_s); the real time over wire_s is the ratio to the wire.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <cstdlib>

#include "DeviceForRun.h"
#include "MainWindow.h"
#include "PacedCamera.h"
#include "TempDir.h"
#include "TerminalWindow.h"
#include "TestPlatform.h"
#include "app/CoreServices.h"
#include "dialogs/TerminalDialog.h"
#include "sim/PtyServer.h"

namespace {

using vr::bench::kRate;

// Bytes on the wire of the terminal's list: each "Tx: "/"Rx: " line and its CR LF.
uint64_t WireBytes(QListWidget* list) {
    uint64_t bytes = 0;
    for (int i = 0; i < list->count(); ++i) {
        const QString text = list->item(i)->text();
        const int at = text.indexOf("x: ");
        if (at >= 0) bytes += static_cast<uint64_t>(text.size() - at - 3 + 2);
    }
    return bytes;
}

void BM_GuiReadAllPacedAt115200(benchmark::State& state) {
    vr::test::TempDir config;
    vr::test::TestPlatform platform;
    vr::app::CoreServices core(platform, config.Path());
    vr::sim::PtyServer camera;
    if (!vr::bench::StartPacedCamera(state, camera)) return;
    if (!vr::gui::UseDeviceForRun(core.link, camera.DevicePath())) {
        state.SkipWithError("the virtual camera's device could not be put in the port list");
        return;
    }
    core.link.SetSaveOnExit(false);
    vr::gui::MainWindow window(core.Session());
    platform.SetMainWindow(&window);
    window.show();
    window.Logic().PrepareWindow();
    if (core.link.OpenBaud(kRate) != 1 || window.Logic().ModelProbe() != 1) {
        state.SkipWithError("the camera did not answer");
        return;
    }
    auto* list = window.Terminal()->Controls().As<QListWidget>(vr::dialogs::terminal::kList);
    uint64_t wireBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list->clear();
        state.ResumeTiming();
        window.Logic().ReadAllSettings();
        state.PauseTiming();
        wireBytes += WireBytes(list);
        state.ResumeTiming();
    }
    window.Logic().OnDestroy();
    camera.Stop();
    state.counters["wire_s"] =
        benchmark::Counter(static_cast<double>(wireBytes) * 10.0 / kRate, benchmark::Counter::kAvgIterations);
    state.SetLabel("divide real time by wire_s for the ratio to the wire");
}
BENCHMARK(BM_GuiReadAllPacedAt115200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
