// One LUT editor's logic without a camera: what it shows, its modes, the mouse and the buttons that
// stay local; and the three editors as the LUT files see them.

#include <gtest/gtest.h>

#include "RecordingLutFrame.h"
#include "TestServices.h"
#include "lut/LutEditor.h"
#include "lut/LutEditors.h"
#include "ui/ControlModel.h"

using namespace vr;
using namespace vr::lut;

namespace {

// One editor with the controls its logic reads and writes.
struct Editor {
    Editor(app::Services& services, LutColour colour) : logic(services, colour, controls, frame) {
        controls.AddControl(lutdlg::kModeText, ui::CtrlType::Static);
        controls.AddControl(lutdlg::kPointCountSpin, ui::CtrlType::Spin);
        controls.AddControl(lutdlg::kStrip, ui::CtrlType::Static);
        logic.Init();
    }
    ui::ControlModel controls{ui::ControlModel::Empty{}};
    test::RecordingLutFrame frame;
    CLUTDlg logic;
};

class LutEditorTest : public ::testing::Test {
protected:
    test::TestServices services;
    Editor red{services.Get(), LutColour::Red}, green{services.Get(), LutColour::Green};
    Editor blue{services.Get(), LutColour::Blue};
};

}  // namespace

TEST_F(LutEditorTest, EachEditorNamesItsColourAndFollowsTheToolsWindows) {
    EXPECT_EQ(red.frame.title, "LUT Setting for Red");
    EXPECT_EQ(green.frame.title, "LUT Setting for Green");
    EXPECT_EQ(blue.frame.title, "LUT Setting for Blue");
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
    EXPECT_EQ(picture.points, (std::vector<PlotPoint>{{0, 256}, {256, 0}}));
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
    EXPECT_EQ(std::vector<PlotPoint>(red.logic.Curve().Points().begin(), red.logic.Curve().Points().end()),
              (std::vector<PlotPoint>{{0, 0}, {128, 128}, {256, 0}}));
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
