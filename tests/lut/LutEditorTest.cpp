// One LUT editor's logic without a camera: what it shows, its modes, the mouse and the buttons that
// stay local; and the three editors as the LUT files and the main window see them.

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "RecordingLutFrame.h"
#include "TestServices.h"
#include "lut/LutEditor.h"
#include "lut/LutEditors.h"
#include "ui/ControlModel.h"
#include "ui/main/FeatureRouter.h"

using namespace vr;
using namespace vr::lut;
using ui::CtrlType;

namespace {

struct Window {
    Window() : controls(ui::ControlModel::Empty{}) {
        using namespace lutdlg;
        for (uint32_t id : {kRead, kWrite, kClear, kConvert, kWriteToAll}) controls.AddControl(id, CtrlType::Button);
        controls.AddControl(kPointCountEdit, CtrlType::Edit);
        controls.AddControl(kPointCountSpin, CtrlType::Spin);
        controls.AddControl(kModeText, CtrlType::Static);
        controls.AddControl(kTableType, CtrlType::Combo);
        controls.AddControl(kStrip, CtrlType::Static);
    }
    ui::ControlModel controls;
    test::RecordingLutFrame frame;
};

class LutEditorTest : public ::testing::Test {
protected:
    LutEditorTest() {
        for (LutColour colour : kLutColours) {
            const auto k = static_cast<size_t>(colour);
            editors[k] = std::make_unique<CLUTDlg>(services.Get(), colour, windows[k].controls, windows[k].frame);
            editors[k]->Init();
        }
    }
    CLUTDlg& Red() { return *editors[0]; }
    ui::ControlModel& RedControls() { return windows[0].controls; }

    test::TestServices services;
    std::array<Window, 3> windows;
    std::array<std::unique_ptr<CLUTDlg>, 3> editors;
};

}  // namespace

TEST_F(LutEditorTest, InitShowsTheColourTheModeAndTheFixedControls) {
    using namespace lutdlg;
    const char* titles[] = {"LUT Setting for Red", "LUT Setting for Green", "LUT Setting for Blue"};
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(windows[k].frame.title, titles[k]);
        const ui::ControlModel& c = windows[k].controls;
        EXPECT_EQ(c.GetText(kModeText), "Edit Mode");
        EXPECT_EQ(c.GetSpinPos(kPointCountSpin), 8);
        EXPECT_EQ(c.GetCount(kTableType), 5);
        EXPECT_FALSE(c.IsEnabled(kTableType) || c.IsEnabled(kWriteToAll));
    }

    // Long operations grey the editors, and the strip follows the camera.
    services.dialogs.DisableAll();
    EXPECT_FALSE(windows[2].frame.enabled);
    services.dialogs.EnableAll();
    services.status.SetOnline();
    EXPECT_EQ(RedControls().GetPicture(kStrip), protocol::kStripOnline);
}

TEST_F(LutEditorTest, EditModePaintsThePointsAndTheirTable) {
    // The straight line's table itself is the curve's test.
    const CLUTDlg::Picture picture = Red().Paint();
    EXPECT_EQ(Red().Table()[128], 2048);
    EXPECT_EQ(picture.points, (std::vector<PlotPoint>{{0, 256}, {256, 0}}));
    ASSERT_EQ(picture.curve.size(), 257u);
    EXPECT_EQ(picture.curve.front(), (PlotPoint{0, 256}));
    EXPECT_EQ(picture.curve[129], (PlotPoint{128, 128}));

    // A table put in from outside is replaced at the next paint while the editor is in Edit Mode.
    Red().Table().fill(100);
    Red().Paint();
    EXPECT_EQ(Red().Table()[128], 2048);
}

TEST_F(LutEditorTest, ViewModeShowsTheTableAsItIsUntilClearOrConvert) {
    Red().Table().fill(2048);
    Red().ShowAsRead();
    EXPECT_EQ(RedControls().GetText(lutdlg::kModeText), "View Mode");
    EXPECT_GT(windows[0].frame.invalidations, 0);
    const CLUTDlg::Picture picture = Red().Paint();
    EXPECT_TRUE(picture.points.empty());
    EXPECT_EQ(picture.curve.front(), (PlotPoint{0, 256}));
    EXPECT_EQ(picture.curve[1], (PlotPoint{0, 128}));
    EXPECT_EQ(Red().Table()[0], 2048);

    // The mouse still edits the points, unseen; Clear brings back the straight line and Edit Mode.
    Red().OnMouseMove(MouseButtons::LeftOnly, {128, 20});
    EXPECT_EQ(Red().Curve().Count(), 3);
    EXPECT_EQ(Red().Paint().curve[1], (PlotPoint{0, 128}));
    Red().OnClearTableData();
    EXPECT_EQ(RedControls().GetText(lutdlg::kModeText), "Edit Mode");
    EXPECT_EQ(Red().Curve().Count(), 2);
    Red().Paint();
    EXPECT_EQ(Red().Table()[128], 2048);

    // Convert Editable takes the spin's count from the table shown, here one read in View Mode.
    LutTable& table = Red().Table();
    for (size_t i = 0; i < table.size(); ++i) table[i] = 4095 - InputTable()[i];
    Red().ShowAsRead();
    RedControls().SetSpinPos(lutdlg::kPointCountSpin, 3);
    Red().OnConvertEditable();
    EXPECT_EQ(RedControls().GetText(lutdlg::kModeText), "Edit Mode");
    EXPECT_EQ(std::vector<PlotPoint>(Red().Curve().Points().begin(), Red().Curve().Points().end()),
              (std::vector<PlotPoint>{{0, 0}, {128, 128}, {256, 0}}));
}

TEST_F(LutEditorTest, TheThreeEditorsServeTheTablesAndOpenTogether) {
    LutEditors all({editors[0].get(), editors[1].get(), editors[2].get()});
    ILutTables& tables = all;
    tables.Table(LutColour::Blue)[7] = 1234;
    EXPECT_EQ(editors[2]->Table()[7], 1234);
    EXPECT_EQ(editors[0]->Table()[7], 0);
    tables.ShowAsRead(LutColour::Green);
    EXPECT_EQ(editors[1]->Mode(), LutMode::View);
    EXPECT_EQ(editors[0]->Mode(), LutMode::Edit);

    ui::FeatureRouter router;
    all.Register(router);
    EXPECT_TRUE(router.RunButton(1132));
    for (const Window& w : windows) EXPECT_TRUE(w.frame.shown);
    all.ShowAll(false);
    for (const Window& w : windows) EXPECT_FALSE(w.frame.shown);
}
