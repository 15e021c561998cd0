#pragma once
// The curve an operator shapes in a LUT editor: up to 16 edit points in plot coordinates, joined by a
// parametric natural cubic spline, sampled finely, and turned into the 256-entry output table.
//
// Plot coordinates: x runs from 0 (input 0) to 256 rightwards, y from 0 at the top (output 4096)
// down to 256 at the bottom (output 0). The points are kept in ascending x order.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "lut/LutTables.h"

namespace vr::lut {

struct PlotPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PlotPoint&) const = default;
};

inline constexpr int32_t kPlotLeft = 0;
inline constexpr int32_t kPlotTop = 0;
inline constexpr int32_t kPlotRight = 256;
inline constexpr int32_t kPlotBottom = 256;

inline constexpr bool InPlot(PlotPoint p) {
    return p.x >= kPlotLeft && p.x <= kPlotRight && p.y >= kPlotTop && p.y <= kPlotBottom;
}

// The input level of each entry on the 12-bit scale: 16·i, and 4095 for the last.
const LutTable& InputTable();

// The spline sampled along its parameter, and the runs in which the samples' X never turns back
// (the nearest-sample search uses them).
struct CurveSamples {
    struct Run {
        int begin;
        int end;
        bool rising;  // X never falls within the run (else it never rises)
    };
    std::vector<double> x;
    std::vector<double> y;
    std::vector<Run> runs;
    int Count() const { return static_cast<int>(x.size()); }
};

inline constexpr int kMaxSamples = 8000;
inline constexpr double kSampleStep = 0.002;

// Samples X(t) and Y(t) from t = 0 in steps of 0.002 (a running sum) while t <= n, for n points:
// 1000 samples for 2 points, 8000 for 16. Past the last point the last segment goes on.
void SampleCurve(std::span<const PlotPoint> points, CurveSamples& samples);

// The sample whose X·16 is nearest to `input`, as the editor has always chosen it: a running best
// distance that starts at 999999 and is kept as a truncated integer, so that a later sample wins only
// when it is nearer than that integer. The full search tests every sample; the other gives the same
// answer from the monotonic runs.
int NearestSampleFullSearch(const CurveSamples& samples, int32_t input);
int NearestSample(const CurveSamples& samples, int32_t input);

// The output level of a sample at plot height y: (256 − y)·16, truncated, within 0..4095.
int32_t OutputLevel(double y);

void TableFromSamples(const CurveSamples& samples, LutTable& table, bool fullSearch = false);

// The editor's edit points and the table they give.
class LutCurve {
public:
    static constexpr int kMaxPoints = 16;
    // The mouse adds a point only while there are fewer than this.
    static constexpr int kMaxPointsByMouse = 15;
    // A left drag takes the first point within this many plot units in x and in y.
    static constexpr int32_t kMoveReach = 32;
    // A right drag removes the first inner point within this reach.
    static constexpr int32_t kRemoveReach = 16;

    // The straight line between the bottom-left and the top-right corner.
    LutCurve();

    std::span<const PlotPoint> Points() const { return {points_.data(), static_cast<size_t>(count_)}; }
    int Count() const { return count_; }

    void Clear();
    // 2 to 16 points inside the plot, in any order (they are sorted by x); false, and nothing
    // changed, for anything else.
    bool SetPoints(std::span<const PlotPoint> points);

    // A mouse move with only the left button held at p: moves the first point within reach there,
    // or else adds p while fewer than 15 points exist. True when the points changed.
    bool LeftDrag(PlotPoint p);
    // A mouse move with only the right button held at p: removes the first inner point within reach
    // (never an end point, never below 2 points). True when one was removed.
    bool RightDrag(PlotPoint p);

    // Points read off `table`: n of them (2..16) evenly spread over the inputs, the last at the
    // top-right corner.
    void ConvertEditable(const LutTable& table, int n);

    // The output table of the points, computed again only after they changed.
    const LutTable& Table();
    // The samples behind the last table.
    const CurveSamples& Samples() {
        Table();
        return samples_;
    }

private:
    void Sort();

    std::array<PlotPoint, kMaxPoints> points_{};
    int count_ = 0;
    bool tableValid_ = false;
    LutTable table_{};
    CurveSamples samples_;
};

// The polyline of a table as the editor draws it: from `start` to the point of every entry, x the
// entry's input level / 16 and y the bottom less the output / 16 rounded half up; points outside
// the plot are left out.
std::vector<PlotPoint> CurvePolyline(const LutTable& table, PlotPoint start);

}  // namespace vr::lut
