// The LUT editor's table from its edit points: the spline, its samples and the nearest-sample search
// for all 256 entries, as a paint in Edit Mode does it after the points changed. The full search
// (every sample for every entry) is measured beside the one the editor uses.

#include <benchmark/benchmark.h>

#include <vector>

#include "lut/LutCurve.h"

namespace {

using vr::lut::PlotPoint;

// n points along a gamma-like curve from the bottom-left to the top-right corner.
std::vector<PlotPoint> Points(int n) {
    std::vector<PlotPoint> points;
    for (int k = 0; k < n; ++k) {
        const int x = 256 * k / (n - 1);
        const int y = 256 - static_cast<int>(256.0 * (1.0 - (1.0 - x / 256.0) * (1.0 - x / 256.0)));
        points.push_back({x, y});
    }
    return points;
}

void Table(benchmark::State& state, bool fullSearch) {
    const std::vector<PlotPoint> points = Points(static_cast<int>(state.range(0)));
    vr::lut::CurveSamples samples;
    vr::lut::LutTable table{};
    for (auto _ : state) {
        vr::lut::SampleCurve(points, samples);
        vr::lut::TableFromSamples(samples, table, fullSearch);
        benchmark::DoNotOptimize(table.data());
    }
    state.counters["samples"] = samples.Count();
}

void BM_TableFromPoints(benchmark::State& state) {
    Table(state, false);
}
void BM_TableFromPointsFullSearch(benchmark::State& state) {
    Table(state, true);
}

}  // namespace

BENCHMARK(BM_TableFromPoints)->Arg(2)->Arg(8)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableFromPointsFullSearch)->Arg(2)->Arg(8)->Arg(16)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
