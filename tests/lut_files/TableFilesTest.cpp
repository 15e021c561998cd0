// The LUT menu's file commands and the shading buttons as the operator meets them: file dialogs,
// questions, messages, and the files and camera tables they leave, against the virtual camera over a
// pseudo-terminal. The filters the dialogs show and the load of all three tables (menu 30009) are the
// Qt test's (tests/lut_files_gui).

#include <gtest/gtest.h>

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
using test::kApp;
using Strings = std::vector<std::string>;

namespace {

class TableFilesTest : public test::CameraOnPty {
protected:
    void Start(sim::SimOptions options = {}) {
        StartCamera(options);
        files = std::make_unique<lut::TableFiles>(services->Get(), tables, view, Short());
        files->Register(router);
    }
    void Shutdown() override {
        files.reset();
        CameraOnPty::Shutdown();
    }
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

}  // namespace

// A good file read through the menu is the Qt test's; what a read leaves in the tables is the formats
// test's.
TEST_F(TableFilesTest, OpenLutFileSaysWhyItCouldNotAndSendsNothing) {
    Start();
    dir.WriteFile("bad.csv", "GammaData (R G B)\r\n7,8,9\r\n\r\n");
    // A bad file, a missing one, and a cancelled dialog, which ends without a word.
    Platform().files = {dir / "bad.csv", dir / "missing.csv"};
    for (int k = 0; k < 3; ++k) Menu(30006);
    EXPECT_EQ(tables.Table(LutColour::Red)[0], 7) << "what came before the bad line stays";
    EXPECT_FALSE(tables.ShownAsRead(LutColour::Red));
    EXPECT_EQ(Boxes(), (Strings{kApp + "Invaild line format [error]",
                                kApp + dir / "missing.csv" + "\nCouldn't open this file [error]"}));
    EXPECT_TRUE(sent.empty());
}

// A save to a new file, without a question, is the Qt test's.
TEST_F(TableFilesTest, SaveLutFileReadsTheCameraFirstAndAsksBeforeReplacing) {
    Start();
    lut::LutTable identity{};  // what a fresh camera holds
    for (size_t i = 0; i < identity.size(); ++i) identity[i] = i == 255 ? 4095 : static_cast<int32_t>(16 * i);
    const std::string path = dir / "lut.csv";
    dir.WriteFile("lut.csv", "old");
    // No keeps the file, Yes replaces it.
    Platform().files = {path, path};
    Platform().answers = {app::MsgResult::No, app::MsgResult::Yes};
    Menu(30007);
    EXPECT_EQ(sent.size(), 1536u);
    EXPECT_EQ(dir.ReadFile("lut.csv"), "old");
    ASSERT_EQ(Boxes(), Strings{kApp + path + "\nThis file already exists.\nReplace existing file? [question]"});
    EXPECT_EQ(Platform().boxes[0].buttons, app::MsgButtons::YesNo);
    Menu(30007);
    EXPECT_EQ(dir.ReadFile("lut.csv"), lut::FormatGammaFile(identity, identity, identity));
}

TEST_F(TableFilesTest, SaveLutFileEndsBeforeItsDialogWhenTheReadFails) {
    Start(test::With([](sim::SimOptions& o) { o.silentAfter = 300; }));  // in the middle of the red table
    Platform().files = {dir / "lut.csv"};
    Menu(30007);
    EXPECT_EQ(Platform().files.size(), 1u) << "no file dialog";
    EXPECT_EQ(Boxes(), Strings{kApp + "1 of 1536 commands failed (first at red entry 150: no reply to LUTIR=150 "
                                      "within 150 ms). The read ended there. [warning]"});
    EXPECT_TRUE(tables.ShownAsRead(LutColour::Red));
    EXPECT_FALSE(tables.ShownAsRead(LutColour::Green)) << "the reads stop at the first that fails";
    EXPECT_EQ(tables.Table(LutColour::Red)[149], 16 * 149);
    EXPECT_EQ(tables.Table(LutColour::Red)[150], 0);
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
        kApp +
        "The file holds 10 of 1024 entries; the rest will be written as 0 (or as the last shading data read from "
        "the "
        "camera). Continue? [question]";
    EXPECT_EQ(Boxes(), Strings{question});
    Button(1337);
    EXPECT_EQ(sent.size(), 2u + 6148u);
    EXPECT_EQ(sent.back(), "SDDU=0");
    server->Inspect([](const sim::VirtualCamera& camera) {
        EXPECT_EQ(camera.ShadingEntry(0, 0, 9), 109);
        EXPECT_EQ(camera.ShadingEntry(0, 2, 9), 300);
        EXPECT_EQ(camera.ShadingEntry(0, 0, 10), 4096);
    });
    EXPECT_EQ(Boxes(), (Strings{question, question}));
}

TEST_F(TableFilesTest, ShadingFromFileNeedsTheModeAndAWellFormedFile) {
    Start();
    dir.WriteFile("long.csv", Shading(1025));
    dir.WriteFile("bad.csv", Shading(5) + "1, 2, 3, 4\r\n");
    Platform().files = {dir / "long.csv", dir / "bad.csv"};
    // Shading mode off: both buttons end with a box, before any file dialog.
    Button(1336);
    Button(1337);
    EXPECT_EQ(Boxes(), (Strings{kApp + "Shading Mode is OFF [error]", kApp + "Shading Mode is OFF [error]"}));
    EXPECT_EQ(sent, (Strings{"SDM?", "SDM?"}));
    EXPECT_EQ(Platform().files.size(), 2u) << "no file dialog";

    // A file too long is cut to its first 1024 entries and sent; a malformed one sends nothing.
    Set(protocol::cmd::SDM, 3);
    Platform().boxes.clear();
    Button(1337);
    EXPECT_EQ(Boxes(), Strings{kApp + "Too many data [error]"});
    EXPECT_EQ(sent.size(), 1u + 6148u);
    server->Inspect([](const sim::VirtualCamera& camera) { EXPECT_EQ(camera.ShadingEntry(2, 0, 1023), 1123); });
    sent.clear();
    Button(1337);
    EXPECT_EQ(Boxes(), (Strings{kApp + "Too many data [error]", kApp + "Invaild data count format [error]"}));
    EXPECT_EQ(sent, Strings{"SDM?"});
}
