// The curve model: the tables of edit points against tables computed apart from this code
// (reference_tables.py beside this file made them, and checked them in rational arithmetic), the
// sampling, the fast nearest-sample search against the full one, Convert Editable, the mouse rules.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "lut/LutCurve.h"

using namespace vr::lut;
using Points = std::vector<PlotPoint>;

namespace {

struct Reference {
    const char* name;
    int samples;
    LutTable table;
};

// python3 tests/lut/reference_tables.py
const Reference kReferences[] = {
    {"TwoCorners",
     1000,
     {
         0,    16,   32,   49,   65,   81,   98,   114,  131,  147,  163,  172,  188,  204,  221,  237,  253,  270,
         286,  303,  319,  335,  352,  368,  385,  401,  417,  434,  450,  466,  483,  499,  507,  524,  540,  557,
         573,  589,  606,  622,  638,  655,  671,  688,  704,  720,  737,  753,  770,  786,  802,  819,  835,  851,
         860,  876,  892,  909,  925,  942,  958,  974,  991,  1007, 1024, 1040, 1056, 1073, 1089, 1105, 1122, 1138,
         1155, 1171, 1187, 1196, 1212, 1228, 1245, 1261, 1277, 1294, 1310, 1327, 1343, 1359, 1376, 1392, 1409, 1425,
         1441, 1458, 1474, 1490, 1507, 1523, 1531, 1548, 1564, 1581, 1597, 1613, 1630, 1646, 1662, 1679, 1695, 1712,
         1728, 1744, 1761, 1777, 1794, 1810, 1826, 1843, 1859, 1875, 1884, 1900, 1916, 1933, 1949, 1966, 1982, 1998,
         2015, 2031, 2048, 2064, 2080, 2097, 2113, 2129, 2146, 2162, 2179, 2195, 2211, 2220, 2236, 2252, 2269, 2285,
         2301, 2318, 2334, 2351, 2367, 2383, 2400, 2416, 2433, 2449, 2465, 2482, 2498, 2514, 2531, 2547, 2555, 2572,
         2588, 2605, 2621, 2637, 2654, 2670, 2686, 2703, 2719, 2736, 2752, 2768, 2785, 2801, 2818, 2834, 2850, 2867,
         2883, 2899, 2908, 2924, 2940, 2957, 2973, 2990, 3006, 3022, 3039, 3055, 3072, 3088, 3104, 3121, 3137, 3153,
         3170, 3186, 3203, 3219, 3235, 3244, 3260, 3276, 3293, 3309, 3325, 3342, 3358, 3375, 3391, 3407, 3424, 3440,
         3457, 3473, 3489, 3506, 3522, 3538, 3555, 3571, 3579, 3596, 3612, 3629, 3645, 3661, 3678, 3694, 3710, 3727,
         3743, 3760, 3776, 3792, 3809, 3825, 3842, 3858, 3874, 3891, 3907, 3923, 3932, 3948, 3964, 3981, 3997, 4014,
         4030, 4046, 4063, 4095,
     }},
    {"Overshoot",
     2001,
     {
         0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
         0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
         0,    0,    0,    0,    0,    134,  311,  522,  761,  1017, 1267, 1497, 1714, 1904, 2076, 2229, 2372, 2504,
         2626, 2737, 2837, 2937, 3026, 3105, 3182, 3259, 3326, 3391, 3448, 3511, 3565, 3610, 3663, 3706, 3756, 3798,
         3839, 3872, 3911, 3943, 3980, 4010, 4039, 4068, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095,
         4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095,
         4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095,
         4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095,
         4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095,
         4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095,
         4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095,
         4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095,
         4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095,
         4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095,
         4095, 4095, 4095, 4095,
     }},
    {"XTurnsBack",
     2001,
     {
         0,    11,   23,   35,   47,   63,   75,   87,   99,   111,  123,  139,  150,  162,  174,  186,  198,  210,
         226,  238,  249,  261,  273,  289,  301,  312,  324,  336,  352,  364,  375,  387,  403,  414,  426,  438,
         453,  465,  477,  488,  504,  515,  527,  542,  554,  565,  580,  592,  603,  619,  630,  645,  656,  668,
         683,  694,  709,  720,  735,  746,  761,  772,  787,  802,  813,  828,  842,  853,  868,  882,  893,  907,
         922,  936,  946,  961,  975,  989,  1003, 1017, 1031, 1044, 1058, 1072, 1085, 1099, 1116, 1129, 1143, 1159,
         1172, 1186, 1202, 1215, 1231, 1247, 1260, 1275, 1291, 1307, 1322, 1337, 1352, 1370, 1385, 1403, 1420, 1435,
         1452, 1472, 1488, 1505, 1524, 1542, 1563, 1584, 1604, 1623, 1647, 1671, 1696, 1722, 1755, 1793, 1846, 2496,
         2517, 2537, 2555, 2573, 2592, 2609, 2623, 2641, 2656, 2671, 2687, 2702, 2718, 2731, 2745, 2761, 2775, 2789,
         2803, 2817, 2829, 2843, 2858, 2869, 2884, 2896, 2911, 2923, 2935, 2947, 2962, 2974, 2987, 2999, 3012, 3024,
         3037, 3050, 3059, 3072, 3085, 3098, 3111, 3121, 3134, 3147, 3157, 3170, 3180, 3193, 3203, 3217, 3227, 3240,
         3250, 3264, 3274, 3284, 3298, 3308, 3322, 3333, 3343, 3353, 3367, 3378, 3388, 3402, 3413, 3423, 3434, 3445,
         3459, 3469, 3480, 3491, 3501, 3512, 3523, 3537, 3548, 3559, 3570, 3581, 3592, 3602, 3613, 3624, 3635, 3646,
         3657, 3668, 3679, 3690, 3701, 3712, 3723, 3734, 3745, 3756, 3767, 3778, 3790, 3801, 3812, 3823, 3834, 3845,
         3856, 3867, 3879, 3890, 3901, 3908, 3920, 3931, 3942, 3953, 3964, 3976, 3987, 3998, 4009, 4021, 4032, 4039,
         4051, 4062, 4073, 4095,
     }},
    {"SixteenPoints",
     8000,
     {
         0,    72,   146,  223,  297,  372,  444,  518,  587,  655,  724,  789,  854,  914,  972,  1030, 1082, 1134,
         1180, 1224, 1267, 1305, 1342, 1376, 1409, 1439, 1467, 1495, 1521, 1546, 1570, 1593, 1617, 1640, 1663, 1685,
         1708, 1731, 1754, 1778, 1800, 1824, 1847, 1869, 1892, 1915, 1938, 1960, 1982, 2004, 2025, 2047, 2067, 2088,
         2108, 2128, 2148, 2168, 2187, 2206, 2224, 2243, 2261, 2279, 2297, 2314, 2332, 2349, 2367, 2384, 2400, 2418,
         2434, 2451, 2467, 2484, 2499, 2515, 2531, 2547, 2563, 2578, 2593, 2609, 2624, 2639, 2654, 2668, 2683, 2697,
         2712, 2726, 2741, 2755, 2769, 2783, 2797, 2811, 2824, 2838, 2852, 2865, 2879, 2892, 2906, 2919, 2932, 2946,
         2959, 2973, 2986, 2999, 3012, 3025, 3038, 3051, 3064, 3077, 3090, 3103, 3116, 3128, 3141, 3154, 3167, 3179,
         3192, 3204, 3217, 3229, 3241, 3253, 3265, 3277, 3288, 3300, 3311, 3322, 3333, 3344, 3354, 3365, 3375, 3386,
         3396, 3406, 3416, 3426, 3437, 3447, 3456, 3467, 3477, 3487, 3497, 3507, 3518, 3528, 3539, 3549, 3560, 3570,
         3580, 3591, 3601, 3612, 3622, 3632, 3643, 3653, 3663, 3673, 3683, 3693, 3703, 3713, 3722, 3732, 3741, 3751,
         3760, 3769, 3779, 3788, 3797, 3806, 3814, 3823, 3832, 3840, 3849, 3857, 3866, 3874, 3882, 3890, 3899, 3907,
         3915, 3924, 3932, 3941, 3950, 3958, 3967, 3976, 3985, 3994, 4003, 4012, 4021, 4030, 4038, 4046, 4054, 4062,
         4068, 4075, 4081, 4086, 4091, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095, 4095,
         4095, 4095, 4095, 4095, 4095, 4095, 4094, 4093, 4093, 4092, 4092, 4092, 4092, 4092, 4092, 4093, 4093, 4093,
         4094, 4094, 4095, 4095,
     }},
};

const Points kReferencePoints[] = {
    {{0, 256}, {256, 0}},
    {{0, 256}, {40, 256}, {80, 0}, {256, 0}},
    {{0, 256}, {120, 150}, {125, 100}, {256, 0}},
    {{0, 256},
     {17, 185},
     {34, 152},
     {51, 128},
     {68, 108},
     {85, 91},
     {102, 76},
     {119, 62},
     {136, 49},
     {153, 38},
     {170, 27},
     {187, 17},
     {204, 8},
     {221, 0},
     {238, 0},
     {256, 0}},
};

LutTable FromPoints(const Points& points, bool fullSearch = false) {
    CurveSamples samples;
    SampleCurve(points, samples);
    LutTable table{};
    TableFromSamples(samples, table, fullSearch);
    return table;
}

Points Line(int n) {
    Points points;
    for (int k = 0; k < n; ++k) points.push_back({256 * k / (n - 1), 256 - 256 * k / (n - 1)});
    return points;
}

}  // namespace

TEST(LutCurveTest, TablesMatchTheReferenceWithBothSearches) {
    ASSERT_EQ(std::size(kReferences), std::size(kReferencePoints));
    for (size_t c = 0; c < std::size(kReferences); ++c) {
        const Reference& ref = kReferences[c];
        CurveSamples samples;
        SampleCurve(kReferencePoints[c], samples);
        EXPECT_EQ(samples.Count(), ref.samples) << ref.name;
        EXPECT_EQ(FromPoints(kReferencePoints[c]), ref.table) << ref.name;
        EXPECT_EQ(FromPoints(kReferencePoints[c], true), ref.table) << ref.name << ", full search";
    }
    // What the editor's own cache hands out for the same points.
    LutCurve curve;
    ASSERT_TRUE(curve.SetPoints(kReferencePoints[1]));
    EXPECT_EQ(curve.Table(), kReferences[1].table);
}

TEST(LutCurveTest, OvershootIsLimitedToTheTableRange) {
    // The spline through 256, 256, 0, 0 swings below the bottom between the first two points and
    // above the top after the third.
    const LutTable t = FromPoints(kReferencePoints[1]);
    EXPECT_TRUE(std::all_of(t.begin(), t.begin() + 41, [](int32_t v) { return v == 0; }));
    EXPECT_TRUE(std::all_of(t.begin() + 80, t.end(), [](int32_t v) { return v == 4095; }));
    EXPECT_GT(t[60], 0);
    EXPECT_LT(t[60], 4095);
}

TEST(LutCurveTest, SampleCountsFollowTheRunningSum) {
    // t <= n with t a running sum of 0.002: whether t = n itself is reached depends on its rounding.
    const int expected[] = {1000, 1501, 2001, 2501, 3001, 3501, 4001, 4501, 5000, 5500, 6000, 6500, 7000, 7500, 8000};
    for (int n = 2; n <= 16; ++n) {
        CurveSamples samples;
        SampleCurve(Line(n), samples);
        EXPECT_EQ(samples.Count(), expected[n - 2]) << n << " points";
        EXPECT_LE(samples.Count(), kMaxSamples);
    }
}

TEST(LutCurveTest, FastSearchAgreesWithTheFullSearchOnRandomCurves) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> coordinate(0, 256), count(2, 16);
    int turningCurves = 0;
    for (int curve = 0; curve < 150; ++curve) {
        Points points(static_cast<size_t>(count(random)));
        for (PlotPoint& p : points) p = {coordinate(random), coordinate(random)};
        // Close x values with far apart y make X(t) turn back, the case the full search covers.
        if (curve % 3 == 0 && points.size() > 3) points[2].x = points[1].x;
        std::sort(points.begin(), points.end(), [](PlotPoint a, PlotPoint b) { return a.x < b.x; });
        CurveSamples samples;
        SampleCurve(points, samples);
        turningCurves += samples.runs.size() > 1 ? 1 : 0;
        for (int32_t input : InputTable())
            ASSERT_EQ(NearestSample(samples, input), NearestSampleFullSearch(samples, input))
                << "curve " << curve << ", input " << input;
    }
    EXPECT_GT(turningCurves, 20);
}

TEST(LutCurveTest, ConvertEditableSpreadsThePointsOverTheInputs) {
    const struct {
        int n;
        std::vector<int32_t> xs;
    } cases[] = {
        {8, {0, 36, 73, 109, 146, 182, 219, 256}},
        {2, {0, 256}},
        {16, {0, 17, 34, 51, 68, 85, 102, 119, 136, 153, 170, 187, 204, 221, 238, 256}},
        {1, {0, 256}},  // the spin's limits
        {40, {0, 17, 34, 51, 68, 85, 102, 119, 136, 153, 170, 187, 204, 221, 238, 256}},
    };
    const LutTable& linear = InputTable();
    for (const auto& c : cases) {
        LutCurve curve;
        curve.ConvertEditable(linear, c.n);
        std::vector<int32_t> xs;
        for (PlotPoint p : curve.Points()) xs.push_back(p.x);
        EXPECT_EQ(xs, c.xs) << c.n;
        for (size_t k = 0; k + 1 < xs.size(); ++k) EXPECT_EQ(curve.Points()[k].y, 256 - xs[k]) << c.n;
        EXPECT_EQ(curve.Points().back(), (PlotPoint{256, 0}));
    }
    // y is 256 − entry / 16 truncated, and the curve ends at the top-right corner whatever the
    // table's last entry.
    LutTable dark{};
    dark[0] = 15;
    dark[128] = 2047;
    LutCurve curve;
    curve.ConvertEditable(dark, 3);
    EXPECT_EQ(std::vector<PlotPoint>(curve.Points().begin(), curve.Points().end()),
              (Points{{0, 255}, {128, 128}, {256, 0}}));
}

TEST(LutCurveTest, MouseRulesAtTheirBoundaries) {
    enum Kind { Left, Right };
    const struct {
        const char* what;
        Points start;
        Kind kind;
        PlotPoint at;
        Points after;
    } cases[] = {
        {"moves the first point 32 away in both axes", {}, Left, {32, 224}, {{32, 224}, {256, 0}}},
        {"adds beyond 32 in x", {}, Left, {33, 224}, {{0, 256}, {33, 224}, {256, 0}}},
        {"adds beyond 32 in y", {}, Left, {32, 223}, {{0, 256}, {32, 223}, {256, 0}}},
        {"moves the last point", {}, Left, {230, 20}, {{0, 256}, {230, 20}}},
        {"a moved point is sorted in",
         {{0, 256}, {100, 100}, {256, 0}},
         Left,
         {120, 110},
         {{0, 256}, {120, 110}, {256, 0}}},
        {"the first point within reach wins",
         {{0, 256}, {100, 100}, {120, 100}, {256, 0}},
         Left,
         {110, 90},
         {{0, 256}, {110, 90}, {120, 100}, {256, 0}}},
        {"a point dragged past its neighbour changes places",
         {{0, 256}, {100, 100}, {120, 100}, {256, 0}},
         Left,
         {130, 100},
         {{0, 256}, {120, 100}, {130, 100}, {256, 0}}},
        {"removes an inner point 16 away", {{0, 256}, {100, 100}, {256, 0}}, Right, {116, 84}, {{0, 256}, {256, 0}}},
        {"keeps an inner point 17 away",
         {{0, 256}, {100, 100}, {256, 0}},
         Right,
         {117, 100},
         {{0, 256}, {100, 100}, {256, 0}}},
        {"never removes the first point",
         {{0, 256}, {100, 100}, {256, 0}},
         Right,
         {0, 256},
         {{0, 256}, {100, 100}, {256, 0}}},
        {"never removes the last point",
         {{0, 256}, {100, 100}, {256, 0}},
         Right,
         {256, 0},
         {{0, 256}, {100, 100}, {256, 0}}},
        {"never goes below two points", {}, Right, {0, 256}, {{0, 256}, {256, 0}}},
        {"ignores a position right of the plot", {}, Left, {257, 100}, {{0, 256}, {256, 0}}},
        {"ignores a position above the plot", {}, Left, {100, -1}, {{0, 256}, {256, 0}}},
    };
    for (const auto& c : cases) {
        LutCurve curve;
        if (!c.start.empty()) {
            ASSERT_TRUE(curve.SetPoints(c.start)) << c.what;
        }
        const bool changed = c.kind == Left ? curve.LeftDrag(c.at) : curve.RightDrag(c.at);
        const Points after(curve.Points().begin(), curve.Points().end());
        EXPECT_EQ(after, c.after) << c.what;
        EXPECT_EQ(changed, after != (c.start.empty() ? Points{{0, 256}, {256, 0}} : c.start)) << c.what;
    }
}

TEST(LutCurveTest, TheMouseAddsUpToFifteenPoints) {
    LutCurve curve;
    // Points 40 apart in y never fall within each other's reach.
    for (int k = 0; curve.Count() < 15; ++k) ASSERT_TRUE(curve.LeftDrag({10 + 17 * k, 40 + (k % 2) * 80}));
    EXPECT_FALSE(curve.LeftDrag({250, 250}));
    EXPECT_EQ(curve.Count(), 15);
    EXPECT_TRUE(curve.LeftDrag({0, 250}));  // moving still works
    EXPECT_EQ(curve.Points().front(), (PlotPoint{0, 250}));
    // Convert Editable may give 16; the mouse then only moves them.
    curve.ConvertEditable(InputTable(), 16);
    EXPECT_FALSE(curve.LeftDrag({250, 250}));
    EXPECT_EQ(curve.Count(), 16);
}

TEST(LutCurveTest, PolylineRoundsHalvesUpAndSkipsPointsOutsideThePlot) {
    LutTable table{};
    table[1] = 7;     // 0.44 -> 0
    table[2] = 8;     // 0.5 -> 1
    table[3] = 4095;  // 255.9 -> 256, the top edge
    table[4] = 4104;  // 256.5 -> 257, above the plot: left out
    const auto line = CurvePolyline(table, {0, 256});
    ASSERT_EQ(line.size(), 256u);
    EXPECT_EQ(line[0], (PlotPoint{0, 256}));
    EXPECT_EQ(line[2], (PlotPoint{1, 256}));
    EXPECT_EQ(line[3], (PlotPoint{2, 255}));
    EXPECT_EQ(line[4], (PlotPoint{3, 0}));
    EXPECT_EQ(line[5], (PlotPoint{5, 256}));
    EXPECT_EQ(line.back(), (PlotPoint{255, 256}));
}
