// A LUT editor's "Read Table Data" and "Write Table Data" against the virtual camera over a pty, on the real link.

#include <gtest/gtest.h>

#include <memory>

#include "CameraOnPty.h"
#include "sim/VirtualCamera.h"

using namespace vr;
using namespace vr::lut;

namespace {

class LutEditorPtyTest : public test::CameraOnPty {
protected:
    void Shutdown() override {
        editor_.reset();
        CameraOnPty::Shutdown();
    }

    void Start(LutColour colour, sim::SimOptions options = {}) {
        StartCamera(options);
        editor_ = std::make_unique<test::LutEditorUnderTest>(services->Get(), colour);
    }

    int32_t CameraEntry(int colour, int index) const {
        int32_t value = -1;
        server->Inspect([&](const sim::VirtualCamera& camera) { value = camera.LutEntry(colour, index); });
        return value;
    }

    std::unique_ptr<test::LutEditorUnderTest> editor_;
};

}  // namespace

TEST_F(LutEditorPtyTest, AReadWhoseTenthQueryFailsKeepsTheRestAndShowsViewMode) {
    Start(LutColour::Blue, test::With([](sim::SimOptions& o) { o.failQuery = 10; }));
    editor_->logic.Table().fill(1234);
    EXPECT_FALSE(editor_->logic.OnReadTableData());

    // The camera starts with 16·i: entries 0 to 8 came from it, 9 on are as they were.
    for (int i = 0; i < 9; ++i) EXPECT_EQ(editor_->logic.Table()[static_cast<size_t>(i)], 16 * i) << i;
    for (int i = 9; i < kLutEntries; ++i) EXPECT_EQ(editor_->logic.Table()[static_cast<size_t>(i)], 1234) << i;
    EXPECT_EQ(editor_->logic.Mode(), LutMode::View);
    EXPECT_EQ(editor_->controls.GetText(lutdlg::kModeText), "View Mode");
    EXPECT_EQ(editor_->frame.activations, 1);

    // The engine told the operator of the refusal; the editor adds nothing of its own.
    EXPECT_EQ(Boxes(), test::Strings{"Communication Error: ERROR:Refused for LUTB? [warning]"});
    EXPECT_EQ(Platform().progress.back(), "finish");
    EXPECT_EQ(Platform().waitCursorDepth, 0);
    EXPECT_FALSE(services->dialogs.Disabled());

    // The camera answers again: a second read is complete.
    EXPECT_TRUE(editor_->logic.OnReadTableData());
    EXPECT_EQ(editor_->logic.Table()[255], 4095);
    EXPECT_EQ(editor_->logic.Table()[100], 1600);
}

// Its progress texts are the transfer test's.
TEST_F(LutEditorPtyTest, WriteSendsTheTableOfThePointsToItsOwnColour) {
    Start(LutColour::Green);
    // Not painted since the point was added: the write itself brings the table up to date.
    editor_->logic.OnMouseMove(MouseButtons::LeftOnly, {64, 32});
    editor_->logic.OnWriteTableData();
    const LutTable& table = editor_->logic.Curve().Table();
    for (int i = 0; i < kLutEntries; ++i) EXPECT_EQ(CameraEntry(1, i), table[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(CameraEntry(0, 64), 1024) << "red kept its own table";
    EXPECT_TRUE(Platform().boxes.empty());
}

TEST_F(LutEditorPtyTest, WriteTellsHowManyEntriesTheCameraRefused) {
    Start(LutColour::Red, test::With([](sim::SimOptions& o) { o.refuse = {"LUTR"}; }));
    editor_->logic.OnMouseMove(MouseButtons::LeftOnly, {64, 32});
    editor_->logic.OnWriteTableData();
    for (int i : {0, 64, 255}) EXPECT_EQ(CameraEntry(0, i), i == 255 ? 4095 : 16 * i) << i;
    EXPECT_EQ(Boxes(), test::Strings{"LUT Setting for Red: Of 512 commands, 256 were answered and 256 failed (first at "
                                     "entry 0: the camera answered \"ERROR: Refused\" to LUTR=0). The camera confirmed "
                                     "no entry. [warning]"})
        << "one report, not a box for each of the 256 refusals";
}
