// The LUT menu's file commands and the shading buttons as the operator meets them: file dialogs,
// questions, messages, and the files and camera tables they leave, against the virtual camera over a
// pseudo-terminal.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CameraOnPty.h"
#include "lut/GammaFile.h"
#include "lut/PlainLutTables.h"
#include "lut/ShadingFile.h"
#include "lut/TableFiles.h"
#include "protocol/CommandIds.h"
#include "ui/main/FeatureRouter.h"
#include "ui/main/MainWindowView.h"

using namespace vr;
using lut::LutColour;
using Strings = std::vector<std::string>;

namespace {

class TableFilesTest : public test::CameraOnPty {
protected:
    void Start(sim::SimOptions options = {}) {
        StartCamera(options);
        files = std::make_unique<lut::TableFiles>(services->Get(), tables, view, Short());
        files->Register(router);
    }
    void TearDown() override {
        files.reset();
        CameraOnPty::TearDown();
    }
    test::FakePlatform& Platform() { return services->platform; }
    Strings Boxes() const { return services->platform.Texts(); }
    void Menu(uint32_t id) { ASSERT_TRUE(router.RunMenuCommand(id)); }
    void Button(uint32_t id) { ASSERT_TRUE(router.RunButton(id)); }
    static std::string Shading(int lines) {
        std::string text = "ShadingData  (G R B)\r\n";
        for (int i = 0; i < lines; ++i) text += std::to_string(100 + i) + ", 200, 300\r\n";
        return text;
    }

    test::TempDir dir;
    lut::PlainLutTables tables;
    ui::NoWindowView view;
    ui::FeatureRouter router;
    std::unique_ptr<lut::TableFiles> files;
};

lut::LutTable Identity() {
    lut::LutTable table{};
    for (int i = 0; i < 256; ++i) table[static_cast<size_t>(i)] = i == 255 ? 4095 : 16 * i;
    return table;
}

}  // namespace

// The Qt test sees the tool's own three filters as the file dialogs show them.
TEST(TableFileDialogsTest, FiltersSplitIntoDescriptionAndPattern) {
    const auto two = lut::TableFiles::SplitFilter("Text (*.txt) | *.txt | All files (*.*) | *.* ||");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[1].description, "All files (*.*)");
    EXPECT_EQ(two[1].pattern, "*.*");
}

TEST_F(TableFilesTest, OpenLutFileFillsTheEditorsOrSaysWhyNot) {
    Start();
    dir.WriteFile("good.csv", "GammaData (R G B)\r\n1,2,3\r\n4,5,6\r\n");
    dir.WriteFile("bad.csv", "GammaData (R G B)\r\n7,8,9\r\n\r\n");
    Platform().files = {dir / "good.csv"};
    Menu(30006);
    EXPECT_EQ(tables.Table(LutColour::Green)[1], 5);
    EXPECT_TRUE(tables.ShownAsRead(LutColour::Blue));
    EXPECT_TRUE(Boxes().empty());

    lut::PlainLutTables fresh;
    lut::TableFiles other(services->Get(), fresh, view, Short());
    Platform().files = {dir / "bad.csv"};
    other.OpenLutFile();
    EXPECT_EQ(fresh.Table(LutColour::Red)[0], 7) << "what came before the bad line stays";
    EXPECT_FALSE(fresh.ShownAsRead(LutColour::Red));
    ASSERT_EQ(Boxes(), Strings{"Invaild line format"});
    EXPECT_EQ(Platform().boxes[0].icon, app::MsgIcon::Error);

    Platform().boxes.clear();
    Platform().files = {dir / "missing.csv"};
    other.OpenLutFile();
    EXPECT_EQ(Boxes(), Strings{dir / "missing.csv" + "\nCouldn't open this file"});
    // A cancelled dialog ends without a word; nothing went to the camera at any point.
    other.OpenLutFile();
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(sent.empty());
}

TEST_F(TableFilesTest, SaveLutFileReadsTheCameraFirstAndAsksBeforeReplacing) {
    Start();
    const std::string path = dir / "lut.csv";
    Platform().files = {path};
    Menu(30007);
    EXPECT_EQ(sent.size(), 1536u);
    const lut::LutTable identity = Identity();
    EXPECT_EQ(dir.ReadFile("lut.csv"), lut::FormatGammaFile(identity, identity, identity));
    EXPECT_TRUE(Boxes().empty());

    // The file is there now: No keeps it, Yes replaces it.
    dir.WriteFile("lut.csv", "old");
    Platform().files = {path, path};
    Platform().answers = {app::MsgResult::No, app::MsgResult::Yes};
    Menu(30007);
    EXPECT_EQ(dir.ReadFile("lut.csv"), "old");
    ASSERT_EQ(Boxes(), Strings{path + "\nThis file already exists.\nReplace existing file?"});
    EXPECT_EQ(Platform().boxes[0].icon, app::MsgIcon::Question);
    EXPECT_EQ(Platform().boxes[0].buttons, app::MsgButtons::YesNo);
    Menu(30007);
    EXPECT_EQ(dir.ReadFile("lut.csv"), lut::FormatGammaFile(identity, identity, identity));
}

TEST_F(TableFilesTest, SaveLutFileEndsBeforeItsDialogWhenTheReadFails) {
    sim::SimOptions options;
    options.silentAfter = 300;  // in the middle of the red table
    Start(options);
    Platform().files = {dir / "lut.csv"};
    Menu(30007);
    EXPECT_EQ(Platform().files.size(), 1u) << "no file dialog";
    EXPECT_EQ(Boxes(),
              Strings{"1 of 1536 commands failed (first at red entry 150: no reply to LUTIR=150 within 150 ms). The "
                      "read ended there."});
    EXPECT_TRUE(tables.ShownAsRead(LutColour::Red));
    EXPECT_FALSE(tables.ShownAsRead(LutColour::Green)) << "the reads stop at the first that fails";
    EXPECT_EQ(tables.Table(LutColour::Red)[149], 16 * 149);
    EXPECT_EQ(tables.Table(LutColour::Red)[150], 0);
}

TEST_F(TableFilesTest, LoadAllLutTablesReadsAllThreeInOneGreyedBracket) {
    Start();
    Menu(30009);
    for (LutColour c : lut::kLutColours) {
        EXPECT_EQ(tables.Table(c), Identity());
        EXPECT_TRUE(tables.ShownAsRead(c));
    }
    EXPECT_FALSE(services->dialogs.Disabled());
    EXPECT_EQ(Platform().waitCursorDepth, 0);
    // One progress window per table, as each editor's read has.
    EXPECT_EQ(
        std::count(Platform().progress.begin(), Platform().progress.end(), "open:Now, reading camera gamma data  "), 3);
}

TEST_F(TableFilesTest, ShadingButtonsDoNothingWhileShadingModeIsOff) {
    Start();
    Platform().files = {dir / "a.csv", dir / "b.csv"};
    dir.WriteFile("b.csv", Shading(3));
    Button(1336);
    Button(1337);
    EXPECT_EQ(Boxes(), (Strings{"Shading Mode is OFF", "Shading Mode is OFF"}));
    EXPECT_EQ(Platform().boxes[0].icon, app::MsgIcon::Error);
    EXPECT_EQ(sent, (Strings{"SDM?", "SDM?"}));
    EXPECT_EQ(Platform().files.size(), 2u) << "no file dialog";
}

TEST_F(TableFilesTest, ShadingReadToFileAndShortFileBackToTheCamera) {
    Start();
    Set(protocol::cmd::SDM, 1);
    Platform().files = {dir / "shading.csv"};
    Button(1336);
    lut::ShadingBuffer flat;
    for (auto& plane : flat) plane.fill(4096);
    EXPECT_EQ(dir.ReadFile("shading.csv"), lut::FormatShadingFile(flat));
    EXPECT_EQ(sent.size(), 1u + 6147u);

    // A file of ten lines: asked first; No sends nothing, Yes sends every entry, the rest being what
    // the camera gave last.
    dir.WriteFile("short.csv", Shading(10));
    Platform().files = {dir / "short.csv", dir / "short.csv"};
    Platform().answers = {app::MsgResult::No, app::MsgResult::Yes};
    sent.clear();
    Button(1337);
    EXPECT_EQ(sent, Strings{"SDM?"});
    const std::string question =
        "The file holds 10 of 1024 entries; the rest will be written as 0 (or as the last shading data read from the "
        "camera). Continue?";
    EXPECT_EQ(Boxes(), Strings{question});
    EXPECT_EQ(Platform().boxes[0].icon, app::MsgIcon::Question);
    Button(1337);
    EXPECT_EQ(sent.size(), 2u + 6148u);
    EXPECT_EQ(sent.back(), "SDDU=0");
    server->Inspect([](const sim::VirtualCamera& camera) {
        EXPECT_EQ(camera.ShadingEntry(0, 0, 9), 109);
        EXPECT_EQ(camera.ShadingEntry(0, 2, 9), 300);
        EXPECT_EQ(camera.ShadingEntry(0, 0, 10), 4096);
    });
    EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(TableFilesTest, ShadingFileTooLongIsCutAndOneMalformedSendsNothing) {
    Start();
    Set(protocol::cmd::SDM, 3);
    dir.WriteFile("long.csv", Shading(1025));
    dir.WriteFile("bad.csv", Shading(5) + "1, 2, 3, 4\r\n");
    Platform().files = {dir / "long.csv", dir / "bad.csv"};
    Button(1337);
    EXPECT_EQ(Boxes(), Strings{"Too many data"});
    EXPECT_EQ(sent.size(), 1u + 6148u);
    server->Inspect([](const sim::VirtualCamera& camera) { EXPECT_EQ(camera.ShadingEntry(2, 0, 1023), 1123); });
    sent.clear();
    Button(1337);
    EXPECT_EQ(Boxes(), (Strings{"Too many data", "Invaild data count format"}));
    EXPECT_EQ(sent, Strings{"SDM?"});
}
