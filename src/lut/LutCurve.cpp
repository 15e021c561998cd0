#include "lut/LutCurve.h"

#include <algorithm>
#include <cmath>

namespace vr::lut {
namespace {

constexpr int kNoBest = 999999;
// Runs shorter than this are simply scanned.
constexpr int kShortRun = 8;

// The natural cubic spline with unit spacing through values a0 .. a(n-1): on segment j the value is
// a + b·u + c·u² + d·u³ with u = t − j.
class NaturalSpline {
public:
    NaturalSpline(const double* a, int n) : m_(n - 1) {
        for (int j = 0; j < n; ++j) a_[j] = a[j];
        c_[0] = 0.0;
        c_[m_] = 0.0;
        // c(j−1) + 4·cj + c(j+1) = 3·(a(j−1) − 2·aj + a(j+1)) for the inner j: forward elimination,
        // then back substitution.
        if (m_ >= 2) {
            std::array<double, LutCurve::kMaxPoints> diag{}, rhs{};
            for (int j = 1; j < m_; ++j) {
                diag[j] = 4.0;
                rhs[j] = 3.0 * (a_[j - 1] - 2.0 * a_[j] + a_[j + 1]);
            }
            for (int j = 2; j < m_; ++j) {
                const double w = 1.0 / diag[j - 1];
                diag[j] -= w;
                rhs[j] -= w * rhs[j - 1];
            }
            c_[m_ - 1] = rhs[m_ - 1] / diag[m_ - 1];
            for (int j = m_ - 2; j >= 1; --j) c_[j] = (rhs[j] - c_[j + 1]) / diag[j];
        }
        for (int j = 0; j < m_; ++j) {
            d_[j] = (c_[j + 1] - c_[j]) / 3.0;
            b_[j] = (a_[j + 1] - a_[j]) - (2.0 * c_[j] + c_[j + 1]) / 3.0;
        }
    }

    // t beyond the last point goes on along the last segment.
    double operator()(double t) const {
        int j = static_cast<int>(std::floor(t));
        j = std::clamp(j, 0, m_ - 1);
        const double u = t - j;
        return a_[j] + b_[j] * u + c_[j] * u * u + d_[j] * u * u * u;
    }

private:
    int m_;
    std::array<double, LutCurve::kMaxPoints> a_{}, b_{}, c_{}, d_{};
};

void FindRuns(CurveSamples& samples) {
    samples.runs.clear();
    const int n = samples.Count();
    int begin = 0;
    int direction = 0;
    for (int s = 1; s < n; ++s) {
        const double prev = samples.x[static_cast<size_t>(s - 1)];
        const double here = samples.x[static_cast<size_t>(s)];
        const int step = here > prev ? 1 : (here < prev ? -1 : 0);
        if (step == 0 || step == direction) continue;
        if (direction == 0) {
            direction = step;
            continue;
        }
        samples.runs.push_back({begin, s, direction > 0});
        begin = s;
        direction = 0;
    }
    if (n > 0) samples.runs.push_back({begin, n, direction >= 0});
}

// The running best of the search: the distance as a truncated integer and the sample it came from.
struct Best {
    int distance = kNoBest;
    int sample = 0;
};

double Distance(const CurveSamples& samples, int s, double input) {
    return std::fabs(samples.x[static_cast<size_t>(s)] * 16.0 - input);
}

void Scan(const CurveSamples& samples, int begin, int end, double input, Best& best) {
    for (int s = begin; s < end; ++s) {
        const double d = Distance(samples, s, input);
        if (d < best.distance) {
            best.distance = static_cast<int>(d);
            best.sample = s;
        }
    }
}

// First index in [lo, hi) where `before` turns false; `before` holds for a leading part only.
template <typename Pred>
int PartitionPoint(int lo, int hi, Pred before) {
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (before(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// Within a run the distance to the input falls and then rises. The running best therefore changes
// only when the run's smallest distance d beats it, and then it ends on the first sample of the run
// that is nearer than floor(d) + 1: every later one up to the smallest has the same integer part,
// and none after it is nearer.
void SearchRun(const CurveSamples& samples, const CurveSamples::Run& run, double input, Best& best) {
    if (run.end - run.begin < kShortRun) {
        Scan(samples, run.begin, run.end, input, best);
        return;
    }
    const auto offset = [&](int s) { return samples.x[static_cast<size_t>(s)] * 16.0 - input; };
    // The first sample at or past the input; the distance falls before it and rises from it on.
    const int k = run.rising ? PartitionPoint(run.begin, run.end, [&](int s) { return offset(s) < 0.0; })
                             : PartitionPoint(run.begin, run.end, [&](int s) { return offset(s) > 0.0; });
    double nearest = k < run.end ? Distance(samples, k, input) : HUGE_VAL;
    if (k > run.begin) nearest = std::min(nearest, Distance(samples, k - 1, input));
    if (!(nearest < best.distance)) return;
    const int level = static_cast<int>(nearest);
    const double limit = static_cast<double>(level) + 1.0;
    best.sample = PartitionPoint(run.begin, k, [&](int s) { return !(Distance(samples, s, input) < limit); });
    best.distance = level;
}

}  // namespace

const LutTable& InputTable() {
    static const LutTable table = [] {
        LutTable t{};
        for (int i = 0; i < kLutEntries; ++i) t[static_cast<size_t>(i)] = i == kLutEntries - 1 ? kLutMaxValue : 16 * i;
        return t;
    }();
    return table;
}

void SampleCurve(std::span<const PlotPoint> points, CurveSamples& samples) {
    samples.x.clear();
    samples.y.clear();
    const int n = static_cast<int>(std::min(points.size(), static_cast<size_t>(LutCurve::kMaxPoints)));
    if (n < 2) {
        FindRuns(samples);
        return;
    }
    std::array<double, LutCurve::kMaxPoints> xs{}, ys{};
    for (int k = 0; k < n; ++k) {
        xs[static_cast<size_t>(k)] = points[static_cast<size_t>(k)].x;
        ys[static_cast<size_t>(k)] = points[static_cast<size_t>(k)].y;
    }
    const NaturalSpline xSpline(xs.data(), n);
    const NaturalSpline ySpline(ys.data(), n);
    samples.x.reserve(kMaxSamples);
    samples.y.reserve(kMaxSamples);
    // A running sum, not k·0.002: its rounding decides whether t = n itself is sampled.
    for (double t = 0.0; t <= n && samples.Count() < kMaxSamples; t += kSampleStep) {
        samples.x.push_back(xSpline(t));
        samples.y.push_back(ySpline(t));
    }
    FindRuns(samples);
}

int NearestSampleFullSearch(const CurveSamples& samples, int32_t input) {
    Best best;
    Scan(samples, 0, samples.Count(), static_cast<double>(input), best);
    return best.sample;
}

int NearestSample(const CurveSamples& samples, int32_t input) {
    Best best;
    for (const CurveSamples::Run& run : samples.runs) SearchRun(samples, run, static_cast<double>(input), best);
    return best.sample;
}

int32_t OutputLevel(double y) {
    const double level = (static_cast<double>(kPlotBottom) - y) * 16.0;
    if (!(level > 0.0)) return 0;
    if (level >= kLutMaxValue) return kLutMaxValue;
    return static_cast<int32_t>(level);
}

void TableFromSamples(const CurveSamples& samples, LutTable& table, bool fullSearch) {
    if (samples.Count() == 0) return;
    const LutTable& input = InputTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const int s = fullSearch ? NearestSampleFullSearch(samples, input[i]) : NearestSample(samples, input[i]);
        table[i] = OutputLevel(samples.y[static_cast<size_t>(s)]);
    }
}

LutCurve::LutCurve() {
    Clear();
}

void LutCurve::Clear() {
    points_.fill({});
    points_[0] = {kPlotLeft, kPlotBottom};
    points_[1] = {kPlotRight, kPlotTop};
    count_ = 2;
    tableValid_ = false;
}

bool LutCurve::SetPoints(std::span<const PlotPoint> points) {
    if (points.size() < 2 || points.size() > static_cast<size_t>(kMaxPoints)) return false;
    if (!std::all_of(points.begin(), points.end(), InPlot)) return false;
    points_.fill({});
    std::copy(points.begin(), points.end(), points_.begin());
    count_ = static_cast<int>(points.size());
    Sort();
    tableValid_ = false;
    return true;
}

void LutCurve::Sort() {
    std::stable_sort(points_.begin(), points_.begin() + count_,
                     [](const PlotPoint& a, const PlotPoint& b) { return a.x < b.x; });
}

bool LutCurve::LeftDrag(PlotPoint p) {
    if (!InPlot(p)) return false;
    const auto before = points_;
    const int countBefore = count_;
    const auto near = std::find_if(points_.begin(), points_.begin() + count_, [&](const PlotPoint& q) {
        return std::abs(q.x - p.x) <= kMoveReach && std::abs(q.y - p.y) <= kMoveReach;
    });
    if (near != points_.begin() + count_)
        *near = p;
    else if (count_ < kMaxPointsByMouse)
        points_[static_cast<size_t>(count_++)] = p;
    Sort();
    const bool changed = count_ != countBefore || points_ != before;
    if (changed) tableValid_ = false;
    return changed;
}

bool LutCurve::RightDrag(PlotPoint p) {
    if (!InPlot(p) || count_ <= 2) return false;
    for (int k = 1; k <= count_ - 2; ++k) {
        const PlotPoint q = points_[static_cast<size_t>(k)];
        if (std::abs(q.x - p.x) > kRemoveReach || std::abs(q.y - p.y) > kRemoveReach) continue;
        std::copy(points_.begin() + k + 1, points_.begin() + count_, points_.begin() + k);
        points_[static_cast<size_t>(--count_)] = {};
        Sort();
        tableValid_ = false;
        return true;
    }
    return false;
}

void LutCurve::ConvertEditable(const LutTable& table, int n) {
    n = std::clamp(n, 2, kMaxPoints);
    points_.fill({});
    for (int j = 0; j <= n - 2; ++j) {
        // In single precision, as the points have always been placed.
        const auto x = static_cast<int32_t>(static_cast<float>(j) / static_cast<float>(n - 1) * 256.0f);
        const auto y = static_cast<int32_t>(kPlotBottom - table[static_cast<size_t>(x)] * 0.0625);
        points_[static_cast<size_t>(j)] = {x, y};
    }
    points_[static_cast<size_t>(n - 1)] = {kPlotRight, kPlotTop};
    count_ = n;
    tableValid_ = false;
}

const LutTable& LutCurve::Table() {
    if (!tableValid_) {
        SampleCurve(Points(), samples_);
        TableFromSamples(samples_, table_);
        tableValid_ = true;
    }
    return table_;
}

std::vector<PlotPoint> CurvePolyline(const LutTable& table, PlotPoint start) {
    std::vector<PlotPoint> line;
    line.reserve(table.size() + 1);
    line.push_back(start);
    const LutTable& input = InputTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const int32_t out = table[i];
        const PlotPoint p{input[i] / 16, kPlotBottom - (out / 16 + (out % 16 >= 8 ? 1 : 0))};
        if (InPlot(p)) line.push_back(p);
    }
    return line;
}

}  // namespace vr::lut
