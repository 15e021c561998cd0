// A check of eight cameras at once against the same check of one, in the same run: eight virtual
// cameras on eight pseudo-terminals, each pacing its replies at 115200 bit/s, each with its own
// session and thread. The wire is per camera and the work per camera is waiting, so the eight should
// take about as long as the one; `eight_over_one` must stay at or below 1.25 (the run is marked
// failed otherwise).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "PacedCamera.h"
#include "TempDir.h"
#include "app/SessionOnLink.h"
#include "fleet/FleetRunner.h"
#include "fleet/Inventory.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kMostRatio = 1.25;

// The request on the first `count` cameras; seconds, or a negative number when a camera failed.
double Timed(const std::vector<vr::fleet::CameraEntry>& all, size_t count, const vr::fleet::FleetRequest& request) {
    vr::fleet::FleetRunner runner([](const vr::fleet::CameraEntry& entry, vr::platform::IPlatform& platform) {
        auto opened = std::make_shared<vr::app::SessionOnLink>(platform);
        std::string why;
        if (!opened->Choose(entry.mode, entry.port, entry.portIndex, why))
            return vr::fleet::OpenedCamera{nullptr, nullptr, why};
        return vr::fleet::OpenedCamera{opened, &opened->Session(), ""};
    });
    const std::vector<vr::fleet::CameraEntry> cameras(all.begin(), all.begin() + static_cast<long>(count));
    const auto start = Clock::now();
    const auto reports = runner.Run(cameras, request);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return vr::fleet::WorstStatus(reports) == 0 ? seconds : -1;
}

void BM_CheckEightPacedAgainstOne(benchmark::State& state) {
    constexpr size_t kCameras = 8;
    std::vector<std::unique_ptr<vr::sim::PtyServer>> cameras;
    std::string inventory;
    for (size_t i = 0; i < kCameras; ++i) {
        cameras.push_back(std::make_unique<vr::sim::PtyServer>());
        if (!vr::bench::StartPacedCamera(state, *cameras.back())) return;
        inventory +=
            "[[camera]]\nname = \"c" + std::to_string(i) + "\"\nport = \"" + cameras.back()->DevicePath() + "\"\n";
    }
    const vr::fleet::Inventory list = vr::fleet::ParseInventory(inventory, "");
    vr::test::TempDir dir;
    // The golden file: the first camera's snapshot, which every camera (all in their factory state) matches.
    vr::fleet::FleetRequest request;
    request.operation = vr::fleet::Operation::Snapshot;
    request.folder = dir.Path();
    if (Timed(list.cameras, 1, request) < 0) {
        state.SkipWithError("no snapshot of the first camera");
        return;
    }
    request.operation = vr::fleet::Operation::Check;
    request.file = dir / "c0.cam";

    std::vector<double> ratios;
    double one = 0, eight = 0;
    for (auto _ : state) {
        one = Timed(list.cameras, 1, request);
        eight = Timed(list.cameras, kCameras, request);
        if (one <= 0 || eight <= 0) {
            state.SkipWithError("a camera did not pass the check");
            break;
        }
        ratios.push_back(eight / one);
    }
    for (auto& camera : cameras) camera->Stop();
    if (ratios.empty()) return;
    std::sort(ratios.begin(), ratios.end());
    const double median = ratios[ratios.size() / 2];
    state.counters["one_s"] = one;
    state.counters["eight_s"] = eight;
    state.counters["eight_over_one"] = median;
    if (median > kMostRatio) state.SkipWithError("eight cameras took more than 1.25 times as long as one");
}
BENCHMARK(BM_CheckEightPacedAgainstOne)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
