// The curve model against tables computed apart from this code (reference_tables.py beside this file, in rational
// arithmetic), and the LUT editors' logic without a camera.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "CameraOnPty.h"
#include "lut/LutCurve.h"
#include "lut/LutEditors.h"

using namespace vr;
using namespace vr::lut;
using Points = std::vector<PlotPoint>;

namespace {

// Entries of each table at every 16th input, at both ends and around each knee, as
// reference_tables.py (python3 tests/lut/reference_tables.py) computes them. The spline through
// Overshoot swings below the bottom before x 40 and above the top after x 80: those entries are limited.
struct Reference {
    const char* name;
    Points points;
    int samples;
    std::vector<std::pair<int, int32_t>> entries;
};

// clang-format off
const Reference kReferences[] = {
    {"TwoCorners", {{0, 256}, {256, 0}}, 1000,
     {{0, 0}, {10, 163}, {11, 172}, {16, 253}, {31, 499}, {32, 507}, {48, 770}, {64, 1024}, {80, 1277}, {96, 1531},
      {112, 1794}, {128, 2048}, {144, 2301}, {160, 2555}, {176, 2818}, {192, 3072}, {208, 3325}, {224, 3579},
      {240, 3842}, {254, 4063}, {255, 4095}}},
    {"Overshoot", {{0, 256}, {40, 256}, {80, 0}, {256, 0}}, 2001,
     {{0, 0}, {27, 0}, {40, 0}, {41, 134}, {42, 311}, {48, 1714}, {64, 3448}, {79, 4068}, {80, 4095}, {160, 4095},
      {255, 4095}}},
    {"XTurnsBack", {{0, 256}, {120, 150}, {125, 100}, {256, 0}}, 2001,
     {{0, 0}, {16, 198}, {32, 403}, {48, 603}, {64, 813}, {80, 1031}, {96, 1260}, {112, 1524}, {124, 1846},
      {125, 2496}, {126, 2517}, {128, 2555}, {144, 2803}, {160, 3012}, {176, 3203}, {192, 3388}, {208, 3570},
      {224, 3745}, {240, 3920}, {255, 4095}}},
    {"SixteenPoints", {{0, 256}, {17, 185}, {34, 152}, {51, 128}, {68, 108}, {85, 91}, {102, 76}, {119, 62},
                       {136, 49}, {153, 38}, {170, 27}, {187, 17}, {204, 8}, {221, 0}, {238, 0}, {256, 0}}, 8000,
     {{0, 0}, {16, 1082}, {32, 1617}, {48, 1982}, {64, 2297}, {80, 2563}, {96, 2797}, {112, 3012}, {128, 3217},
      {144, 3396}, {160, 3560}, {176, 3722}, {192, 3866}, {208, 4003}, {220, 4091}, {221, 4095}, {224, 4095},
      {239, 4095}, {240, 4094}, {241, 4093}, {243, 4092}, {248, 4092}, {249, 4093}, {252, 4094}, {254, 4095},
      {255, 4095}}},
};
// clang-format on

Points PointsOf(const LutCurve& curve) {
    return Points(curve.Points().begin(), curve.Points().end());
}

LutTable FromPoints(const Points& points, bool fullSearch = false) {
    CurveSamples samples;
    SampleCurve(points, samples);
    LutTable table{};
    TableFromSamples(samples, table, fullSearch);
    return table;
}

using Editor = test::LutEditorUnderTest;

class LutEditorTest : public ::testing::Test {
protected:
    test::TestServices services;
    Editor red{services.Get(), LutColour::Red}, green{services.Get(), LutColour::Green};
    Editor blue{services.Get(), LutColour::Blue};
};

}  // namespace

TEST(LutCurveTest, TablesMatchTheReferenceWithBothSearches) {
    for (const Reference& ref : kReferences) {
        SCOPED_TRACE(ref.name);
        CurveSamples samples;
        SampleCurve(ref.points, samples);
        // A running sum of 0.002 while t <= n: 1000 samples for 2 points, where k·0.002 or a float sum
        // would give 1001, and 2001 for 4, where a float sum gives 2000.
        EXPECT_EQ(samples.Count(), ref.samples);
        const LutTable fast = FromPoints(ref.points);
        EXPECT_EQ(FromPoints(ref.points, true), fast) << "full search";
        for (const auto& [entry, value] : ref.entries) EXPECT_EQ(fast[static_cast<size_t>(entry)], value) << entry;
    }
    // What the editor's own cache hands out for the same points.
    LutCurve curve;
    ASSERT_TRUE(curve.SetPoints(kReferences[1].points));
    EXPECT_EQ(curve.Table(), FromPoints(kReferences[1].points));
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
    const std::vector<int32_t> sixteen = {0, 17, 34, 51, 68, 85, 102, 119, 136, 153, 170, 187, 204, 221, 238, 256};
    const std::pair<int, std::vector<int32_t>> cases[] = {
        {8, {0, 36, 73, 109, 146, 182, 219, 256}}, {2, {0, 256}}, {16, sixteen}, {1, {0, 256}}, {40, sixteen}};
    for (const auto& [n, expected] : cases) {
        LutCurve curve;
        curve.ConvertEditable(InputTable(), n);
        std::vector<int32_t> xs;
        for (PlotPoint p : curve.Points()) xs.push_back(p.x);
        EXPECT_EQ(xs, expected) << n;
        for (size_t k = 0; k + 1 < xs.size(); ++k) EXPECT_EQ(curve.Points()[k].y, 256 - xs[k]) << n;
        EXPECT_EQ(curve.Points().back(), (PlotPoint{256, 0}));
    }
    // y is 256 − entry / 16 truncated, and the curve ends at the top-right corner whatever the table's last entry.
    LutTable dark{};
    dark[0] = 15;
    dark[128] = 2047;
    LutCurve curve;
    curve.ConvertEditable(dark, 3);
    EXPECT_EQ(PointsOf(curve), (Points{{0, 255}, {128, 128}, {256, 0}}));
}

TEST(LutCurveTest, MouseRulesAtTheirBoundaries) {
    enum Kind { Left, Right };
    const Points corners = {{0, 256}, {256, 0}}, one = {{0, 256}, {100, 100}, {256, 0}},
                 two = {{0, 256}, {100, 100}, {120, 100}, {256, 0}};
    const struct {
        const char* what;
        Points start;
        Kind kind;
        PlotPoint at;
        Points after;
    } cases[] = {
        {"moves the first point 32 away in both axes", corners, Left, {32, 224}, {{32, 224}, {256, 0}}},
        {"adds beyond 32 in x", corners, Left, {33, 224}, {{0, 256}, {33, 224}, {256, 0}}},
        {"adds beyond 32 in y", corners, Left, {32, 223}, {{0, 256}, {32, 223}, {256, 0}}},
        {"moves the last point", corners, Left, {230, 20}, {{0, 256}, {230, 20}}},
        {"a moved point is sorted in", one, Left, {120, 110}, {{0, 256}, {120, 110}, {256, 0}}},
        {"the first point within reach wins", two, Left, {110, 90}, {{0, 256}, {110, 90}, {120, 100}, {256, 0}}},
        {"passing its neighbour swaps them", two, Left, {130, 100}, {{0, 256}, {120, 100}, {130, 100}, {256, 0}}},
        {"removes an inner point 16 away", one, Right, {116, 84}, corners},
        {"keeps an inner point 17 away", one, Right, {117, 100}, one},
        {"never removes the first point", one, Right, {0, 256}, one},
        {"never removes the last point", one, Right, {256, 0}, one},
        {"never goes below two points", corners, Right, {0, 256}, corners},
        {"ignores a position right of the plot", corners, Left, {257, 100}, corners},
        {"ignores a position above the plot", corners, Left, {100, -1}, corners},
    };
    for (const auto& c : cases) {
        LutCurve curve;
        ASSERT_TRUE(curve.SetPoints(c.start)) << c.what;
        const bool changed = c.kind == Left ? curve.LeftDrag(c.at) : curve.RightDrag(c.at);
        const Points after = PointsOf(curve);
        EXPECT_EQ(after, c.after) << c.what;
        EXPECT_EQ(changed, after != c.start) << c.what;
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

TEST_F(LutEditorTest, EachEditorNamesItsColourAndFollowsTheToolsWindows) {
    EXPECT_EQ((std::vector<std::string>{red.frame.title, green.frame.title, blue.frame.title}),
              (std::vector<std::string>{"LUT Setting for Red", "LUT Setting for Green", "LUT Setting for Blue"}));
    // Long operations grey the editors, and the strip follows the camera.
    services.dialogs.DisableAll();
    EXPECT_FALSE(blue.frame.enabled);
    services.dialogs.EnableAll();
    services.status.SetOnline();
    EXPECT_EQ(red.controls.GetPicture(lutdlg::kStrip), protocol::kStripOnline);
}

TEST_F(LutEditorTest, EditModePaintsThePointsAndTheirTable) {
    const CLUTDlg::Picture picture = red.logic.Paint();
    EXPECT_EQ(red.logic.Table()[128], 2048);
    EXPECT_EQ(picture.points, (Points{{0, 256}, {256, 0}}));
    ASSERT_EQ(picture.curve.size(), 257u);
    EXPECT_EQ(picture.curve.front(), (PlotPoint{0, 256}));
    EXPECT_EQ(picture.curve[129], (PlotPoint{128, 128}));

    // A table put in from outside is replaced at the next paint while the editor is in Edit Mode.
    red.logic.Table().fill(100);
    red.logic.Paint();
    EXPECT_EQ(red.logic.Table()[128], 2048);
}

TEST_F(LutEditorTest, ViewModeShowsTheTableAsItIsUntilClearOrConvert) {
    red.logic.Table().fill(2048);
    red.logic.ShowAsRead();
    EXPECT_EQ(red.controls.GetText(lutdlg::kModeText), "View Mode");
    EXPECT_GT(red.frame.invalidations, 0);
    const CLUTDlg::Picture picture = red.logic.Paint();
    EXPECT_TRUE(picture.points.empty());
    EXPECT_EQ(picture.curve.front(), (PlotPoint{0, 256}));
    EXPECT_EQ(picture.curve[1], (PlotPoint{0, 128}));
    EXPECT_EQ(red.logic.Table()[0], 2048);

    // The mouse still edits the points, unseen; Clear brings back the straight line and Edit Mode.
    red.logic.OnMouseMove(MouseButtons::LeftOnly, {128, 20});
    EXPECT_EQ(red.logic.Curve().Count(), 3);
    EXPECT_EQ(red.logic.Paint().curve[1], (PlotPoint{0, 128}));
    red.logic.OnClearTableData();
    EXPECT_EQ(red.controls.GetText(lutdlg::kModeText), "Edit Mode");
    EXPECT_EQ(red.logic.Curve().Count(), 2);
    red.logic.Paint();
    EXPECT_EQ(red.logic.Table()[128], 2048);

    // Convert Editable takes the spin's count from the table shown, here one read in View Mode.
    LutTable& table = red.logic.Table();
    for (size_t i = 0; i < table.size(); ++i) table[i] = 4095 - InputTable()[i];
    red.logic.ShowAsRead();
    red.controls.SetSpinPos(lutdlg::kPointCountSpin, 3);
    red.logic.OnConvertEditable();
    EXPECT_EQ(red.controls.GetText(lutdlg::kModeText), "Edit Mode");
    EXPECT_EQ(PointsOf(red.logic.Curve()), (Points{{0, 0}, {128, 128}, {256, 0}}));
}

// A click edits as a drag does, and a whole gesture is one step back; Clear and Convert are steps too,
// and each brings back the table and mode it replaced. A new edit drops what could be redone.
TEST_F(LutEditorTest, UndoTakesBackEachEditAndRedoBringsItAgain) {
    EXPECT_FALSE(red.logic.Undo());
    red.logic.OnMousePress(MouseButtons::LeftOnly, {100, 90});
    EXPECT_EQ(red.logic.Curve().Count(), 3) << "a left click adds a point";
    red.logic.OnMouseMove(MouseButtons::LeftOnly, {110, 80});
    red.logic.OnMouseMove(MouseButtons::LeftOnly, {120, 70});
    red.logic.OnMouseRelease();
    const Points dragged = PointsOf(red.logic.Curve());
    EXPECT_EQ(dragged[1], (PlotPoint{120, 70}));
    red.logic.OnMousePress(MouseButtons::RightOnly, {121, 71});
    red.logic.OnMouseRelease();
    EXPECT_EQ(red.logic.Curve().Count(), 2) << "a right click on a point removes it";

    red.logic.Table().fill(1000);
    red.logic.ShowAsRead();
    red.logic.OnClearTableData();
    EXPECT_EQ(red.logic.Mode(), LutMode::Edit);

    ASSERT_TRUE(red.logic.Undo());  // Clear
    EXPECT_EQ(red.logic.Mode(), LutMode::View);
    EXPECT_EQ(red.logic.Table()[128], 1000);
    ASSERT_TRUE(red.logic.Undo());  // the right click
    EXPECT_EQ(PointsOf(red.logic.Curve()), dragged);
    ASSERT_TRUE(red.logic.Undo());  // the whole drag at once
    EXPECT_EQ(PointsOf(red.logic.Curve()), (Points{{0, 256}, {256, 0}}));
    EXPECT_FALSE(red.logic.Undo());
    ASSERT_TRUE(red.logic.Redo());
    EXPECT_EQ(PointsOf(red.logic.Curve()), dragged);

    // A click that changes nothing leaves no step; an edit after an undo ends the redo.
    red.logic.OnMousePress(MouseButtons::LeftOnly, dragged[1]);
    red.logic.OnMouseRelease();
    red.controls.SetSpinPos(lutdlg::kPointCountSpin, 4);
    red.logic.OnConvertEditable();
    EXPECT_EQ(red.logic.Curve().Count(), 4);
    EXPECT_FALSE(red.logic.Redo());
    ASSERT_TRUE(red.logic.Undo());
    EXPECT_EQ(PointsOf(red.logic.Curve()), dragged);
    ASSERT_TRUE(red.logic.Undo());
    EXPECT_EQ(red.logic.Curve().Count(), 2);
}

// "Open LUT Table" showing all three, and hiding them, is the Qt test's (tests/gui).
TEST_F(LutEditorTest, TheThreeEditorsServeTheirOwnTables) {
    LutEditors all({&red.logic, &green.logic, &blue.logic});
    ILutTables& tables = all;
    tables.Table(LutColour::Blue)[7] = 1234;
    EXPECT_EQ(blue.logic.Table()[7], 1234);
    EXPECT_EQ(red.logic.Table()[7], 0);
    tables.ShowAsRead(LutColour::Green);
    EXPECT_EQ(green.logic.Mode(), LutMode::View);
    EXPECT_EQ(red.logic.Mode(), LutMode::Edit);
}
