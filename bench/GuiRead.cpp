// Reading all settings in the desktop tool, windows and all, beside the command-line tool's dump, in
// one run against one virtual camera that paces its replies at 115200 bit/s over a pseudo-terminal.
// The desktop tool runs on Qt's offscreen platform with its communication dialog and terminal open,
// listing every line. Each iteration runs a dump (probe, area, every setting, as bench_dump and
// vr8200ctl dump do, without windows) and then the desktop tool's read, one after the other on the
// same line; the reported time is the desktop tool's, with the dump's beside it (dump_s), the median
// of the iterations' ratios (gui_over_dump) and the ratio of the best of each (best_gui_over_best_dump).
// wire_s is the wire time of the desktop tool's bytes.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "DeviceForRun.h"
#include "MainWindow.h"
#include "PacedCamera.h"
#include "TempDir.h"
#include "TerminalWindow.h"
#include "TestPlatform.h"
#include "TestServices.h"
#include "app/CoreServices.h"
#include "dialogs/TerminalDialog.h"
#include "sim/PtyServer.h"
#include "ui/ControlModel.h"

namespace {

using vr::bench::kRate;
using Clock = std::chrono::steady_clock;

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

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// What vr8200ctl dump does once connected, on a link of its own: no windows, no traffic lists.
bool Dump(vr::test::TestServices& services) {
    vr::ui::ControlModel controls;
    vr::ui::NoWindowView view;
    vr::ui::CCtrlToolDlg window(services.Get(), controls, view);
    window.PrepareWindow();
    const bool answered = services.link.OpenBaud(kRate) == 1 && window.ModelProbe() == 1;
    if (answered) {
        window.QueryCurrentArea();
        window.ReadAllSettings();
    }
    window.OnDestroy();
    return answered;
}

void BM_GuiReadBesideDumpPacedAt115200(benchmark::State& state) {
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
    vr::test::TestServices headless(vr::test::LineKind::Real);
    vr::bench::UseCamera(headless.link, camera);

    vr::gui::MainWindow window(core.Session());
    platform.SetMainWindow(&window);
    window.show();
    window.Logic().PrepareWindow();
    window.ShowSecondary(vr::ui::SecondaryWindow::Terminal, true);
    auto* list = window.Terminal()->Controls().As<QListWidget>(vr::dialogs::terminal::kList);
    uint64_t wireBytes = 0;
    Clock::duration dumpTime{};
    // Each iteration's ratio: a busy machine slows single runs of either; the median of the pairs
    // and the best of each stand firmer than the means.
    std::vector<double> ratios;
    double bestDump = 1e9, bestGui = 1e9;
    for (auto _ : state) {
        // The dump first, while the desktop tool's line is closed (one program on a port at a time).
        core.link.Close();
        const Clock::time_point dumpStart = Clock::now();
        const bool dumped = Dump(headless);
        const Clock::duration dumpTook = Clock::now() - dumpStart;
        dumpTime += dumpTook;
        const double dumpSeconds = Seconds(dumpTook);
        headless.link.Close();
        list->clear();
        if (!dumped || core.link.OpenBaud(kRate) != 1 || window.Logic().ModelProbe() != 1) {
            state.SkipWithError("the camera did not answer");
            break;
        }
        const Clock::time_point start = Clock::now();
        window.Logic().ReadAllSettings();
        const double took = Seconds(Clock::now() - start);
        state.SetIterationTime(took);
        ratios.push_back(took / std::max(dumpSeconds, 1e-9));
        bestDump = std::min(bestDump, dumpSeconds);
        bestGui = std::min(bestGui, took);
        QCoreApplication::processEvents();
        wireBytes += WireBytes(list);
    }
    window.Logic().OnDestroy();
    camera.Stop();
    const double iterations = static_cast<double>(std::max<int64_t>(state.iterations(), 1));
    state.counters["dump_s"] = Seconds(dumpTime) / iterations;
    if (!ratios.empty()) {
        std::sort(ratios.begin(), ratios.end());
        state.counters["gui_over_dump"] = ratios[ratios.size() / 2];
        state.counters["best_gui_over_best_dump"] = bestGui / std::max(bestDump, 1e-9);
    }
    state.counters["wire_s"] = static_cast<double>(wireBytes) * 10.0 / kRate / iterations;
    state.SetLabel("real time: the desktop tool's read; dump_s: vr8200ctl dump's");
}
BENCHMARK(BM_GuiReadBesideDumpPacedAt115200)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(12);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
