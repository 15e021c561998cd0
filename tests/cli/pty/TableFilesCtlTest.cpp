// vr8200ctl's lut and shading subcommands over a pty: files left, camera contents, exit statuses. Bad
// lines, the curve's table and the transfers' wire order are tests/lut/pty's and tests/lut's.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "FullDisk.h"
#include "RunTool.h"

using namespace vr::test;

namespace {

class TableFilesCtlTest : public CtlFixture {
protected:
    void SetUp() override { Start("KB"); }

    // The lines the tool sent that belong to the tables (the start-up sequence left out).
    static Strings TableLines(const std::string& trace) {
        Strings lines;
        for (const auto& text : Sent(trace))
            if (text.rfind("LUT", 0) == 0 || text.rfind("SD", 0) == 0) lines.push_back(text);
        return lines;
    }
    static std::string GammaFile(int lines, int from) {
        std::string text = "GammaData (R G B)\r\n";
        for (int i = 0; i < lines; ++i)
            text += std::to_string(from + i) + "," + std::to_string(from + 1) + "," + std::to_string(from + 2) + "\r\n";
        return text;
    }
    static std::string ShadingFile(int lines, int g) {
        std::string text = "ShadingData  (G R B)\r\n";
        for (int i = 0; i < lines; ++i) text += std::to_string(g) + ", " + std::to_string(4000 + i) + ", 100\r\n";
        return text;
    }
};

}  // namespace

TEST_F(TableFilesCtlTest, LutReadWritesTheGammaFileAndReplacesOnlyWithYes) {
    auto r = Run({"lut", "read", config / "lut.csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string file = config.ReadFile("lut.csv");
    EXPECT_TRUE(file.starts_with("GammaData (R G B)\r\n0,0,0\r\n16,16,16\r\n32,32,32\r\n"));
    EXPECT_TRUE(file.ends_with("\r\n4064,4064,4064\r\n4095,4095,4095\r\n"));
    EXPECT_EQ(Lines(file).size(), 257u);
    EXPECT_EQ(TableLines(r.err).size(), 1536u) << "every entry of the three tables";

    config.WriteFile("old.csv", "keep me");
    EXPECT_TRUE(TableLines(Run({"lut", "read", config / "old.csv"}, 2).err).empty()) << "refused before reading";
    EXPECT_EQ(config.ReadFile("old.csv"), "keep me");
    Run({"--yes", "lut", "read", config / "old.csv"}, 0);
    EXPECT_EQ(config.ReadFile("old.csv"), file);
}

TEST_F(TableFilesCtlTest, LutWriteSendsTheFileAndRefusesWhatItCannotUse) {
    config.WriteFile("full.csv", GammaFile(256, 0));
    auto r = Run({"lut", "write", config / "full.csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(TableLines(r.err).size(), 1536u);
    camera->Inspect([](const vr::sim::VirtualCamera& c) {
        EXPECT_EQ(c.LutEntry(0, 200), 200);
        EXPECT_EQ(c.LutEntry(1, 200), 1);
        EXPECT_EQ(c.LutEntry(2, 255), 2);
    });

    // Refused before anything is sent; the two-line box of a file that cannot be opened is one record.
    config.WriteFile("short.csv", GammaFile(10, 7));
    config.WriteFile("bad.csv", GammaFile(3, 7) + "1,2\r\n");
    const std::string shortFile = config / "short.csv", missing = config / "missing.csv";
    for (const auto& [args, exitCode, message] : std::vector<std::tuple<Strings, int, std::string>>{
             {{"lut", "write", shortFile}, 2, "The file holds 10 of 256 entries; the others will be written as 0."},
             {{"--yes", "lut", "write", config / "bad.csv"}, 4, "VR-8200 Control Tool: Invaild line format"},
             {{"lut", "write", missing}, 4, "VR-8200 Control Tool: " + missing + " Couldn't open this file"}}) {
        r = Run(args, exitCode);
        EXPECT_TRUE(Contains(r.err, message)) << r.err;
        EXPECT_TRUE(TableLines(r.err).empty()) << args.back();
    }
    camera->Inspect([](const vr::sim::VirtualCamera& c) { EXPECT_EQ(c.LutEntry(0, 5), 5) << "untouched"; });

    Run({"--yes", "lut", "write", shortFile}, 0);
    camera->Inspect([](const vr::sim::VirtualCamera& c) {
        EXPECT_EQ(c.LutEntry(0, 9), 16);
        EXPECT_EQ(c.LutEntry(0, 10), 0);
    });
}

// No camera: the curve's table in the editor's plot coordinates; bad points are CtlTest's usage errors.
using LutCurveCtlTest = CtlFixture;
TEST_F(LutCurveCtlTest, WritesTheEditorsTableForAllThreeColours) {
    const std::string path = config / "gamma.csv";
    ASSERT_EQ(RunTool({"lut", "curve", path, "--points", "0,256 256,0"}, config.Path(), 0).exitCode, 0);
    const std::string text = config.ReadFile("gamma.csv");
    EXPECT_TRUE(text.starts_with("GammaData (R G B)\r\n0,0,0\r\n16,16,16\r\n"));
    // The editor's nearest-sample rule gives 172 at entry 11.
    EXPECT_TRUE(Contains(text, "\r\n163,163,163\r\n172,172,172\r\n"));
    EXPECT_TRUE(text.ends_with("\n4095,4095,4095\r\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 257);

    // Three points bend the curve; an existing file is replaced only when the operator agrees.
    const Strings bent = {"lut", "curve", path, "--points", "0,256 64,96 256,0"};
    EXPECT_TRUE(Contains(RunTool(bent, config.Path(), 4).err, "This file already exists."));
    EXPECT_EQ(config.ReadFile("gamma.csv"), text);
    RunTool({"--yes", "lut", "curve", path, "--points", "0,256 64,96 256,0"}, config.Path(), 0);
    EXPECT_TRUE(Contains(config.ReadFile("gamma.csv"), "\r\n2560,2560,2560\r\n")) << "the bent curve";
    RunTool({"lut", "curve", config / "no/such/folder/g.csv", "--points", "0,256 256,0"}, config.Path(), 4);

    // On a full disk the message names the file.
    const std::string full = config / "full.csv";
    const auto r = [&] {
        const FullDisk disk;
        return RunTool({"lut", "curve", full, "--points", "0,256 256,0"}, config.Path(), 4);
    }();
    EXPECT_TRUE(r.err.starts_with("vr8200ctl: " + full + " was not written: ")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(full));
}

TEST_F(TableFilesCtlTest, ShadingNeedsItsModeOn) {
    config.WriteFile("in.csv", ShadingFile(1024, 10));
    for (const Strings& args :
         {Strings{"shading", "read", config / "out.csv"}, Strings{"shading", "write", config / "in.csv"}}) {
        const auto r = Run(args, 1);
        EXPECT_TRUE(Contains(r.err, "VR-8200 Control Tool: Shading Mode is OFF")) << r.err;
        EXPECT_EQ(TableLines(r.err), Strings{"SDM?"}) << args[1];
    }
    EXPECT_FALSE(std::filesystem::exists(config / "out.csv"));
}

TEST_F(TableFilesCtlTest, ShadingWriteReadAndStoreRoundTrip) {
    ASSERT_EQ(Run({"set", "SDM=2"}).exitCode, 0);
    config.WriteFile("in.csv", ShadingFile(1024, 10));
    auto r = Run({"shading", "write", config / "in.csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(TableLines(r.err).at(0), "SDM?") << "the mode is asked first";

    ASSERT_EQ(Run({"shading", "read", config / "out.csv"}, 0).exitCode, 0);
    EXPECT_EQ(config.ReadFile("out.csv"), ShadingFile(1024, 10));

    EXPECT_EQ(TableLines(Run({"shading", "store"}, 0).err), Strings{"SDDA=0"});
    camera->Inspect([](const vr::sim::VirtualCamera& c) { EXPECT_EQ(c.ShadingEntry(1, 1, 1023), 5023); });
}

// The only check of a shading transfer's refusals being counted (the transfer test counts the LUT's).
TEST_F(TableFilesCtlTest, ShadingWriteWithRefusedEntriesExitsWithTheCount) {
    ASSERT_EQ(Run({"set", "SDM=1"}).exitCode, 0);
    // 9000 is beyond the camera's gains: every fifth G entry is refused, never ten in a row.
    std::string text = "ShadingData  (G R B)\r\n";
    for (int i = 0; i < 1024; ++i) text += (i % 5 == 4 ? "9000" : "4096") + std::string(", 4096, 4096\r\n");
    config.WriteFile("in.csv", text);
    const auto r = Run({"shading", "write", config / "in.csv"}, 1);
    EXPECT_TRUE(Contains(r.err,
                         "vr8200ctl: Of 6148 commands, 5944 were answered and 204 failed (first at G entry 5: the "
                         "camera answered \"ERROR: Out of range\" to SDD=9000). The last entry the camera confirmed "
                         "is B 1024.\n"))
        << r.err;
    EXPECT_EQ(TableLines(r.err).back(), "SDDU=0");
    EXPECT_FALSE(Contains(r.err, "Communication Error")) << "one line, not one per refusal";

    config.WriteFile("short.csv", ShadingFile(10, 1));
    const auto refused = Run({"shading", "write", config / "short.csv"}, 2);
    EXPECT_TRUE(Contains(refused.err, "The file holds 10 of 1024 entries")) << refused.err;
    EXPECT_TRUE(TableLines(refused.err).empty()) << "refused before connecting";
}

// Whatever --yes says, a file that gives no entry is never sent as a table of zeros: one with CR line ends
// is one long line (header and all), and a header alone gives nothing.
TEST_F(TableFilesCtlTest, AFileWithoutAnEntryIsNeverSent) {
    ASSERT_EQ(Run({"set", "SDM=1"}).exitCode, 0);
    std::string gamma = GammaFile(256, 0), shading = ShadingFile(1024, 10);
    std::erase(gamma, '\n');
    std::erase(shading, '\n');
    config.WriteFile("cr.csv", gamma);
    config.WriteFile("cr-shading.csv", shading);
    config.WriteFile("header.csv", GammaFile(0, 0));
    config.WriteFile("header-shading.csv", ShadingFile(0, 0));
    const std::string noEntry = "VR-8200 Control Tool: No entry could be read from the file.";
    for (const auto& [args, message] : std::vector<std::pair<Strings, std::string>>{
             {{"--yes", "lut", "write", config / "cr.csv"}, "VR-8200 Control Tool: Invalid data count format"},
             {{"--yes", "lut", "write", config / "header.csv"}, noEntry},
             {{"--yes", "shading", "write", config / "cr-shading.csv"},
              "VR-8200 Control Tool: Invaild data count format"},
             {{"--yes", "shading", "write", config / "header-shading.csv"}, noEntry}}) {
        const auto r = Run(args, 4);
        EXPECT_TRUE(Contains(r.err, message)) << r.err;
        EXPECT_TRUE(TableLines(r.err).empty()) << args.back();
    }
    camera->Inspect([](const vr::sim::VirtualCamera& c) { EXPECT_EQ(c.LutEntry(0, 200), 3200) << "untouched"; });
}

// A line too long for the read buffer is its one entry missing; the lines after it keep their entries.
TEST_F(TableFilesCtlTest, ALongShadingLineLeavesTheOtherEntriesInTheirPlaces) {
    ASSERT_EQ(Run({"set", "SDM=1"}).exitCode, 0);
    std::string text = ShadingFile(1024, 10);  // data line i (file line i + 2) holds R = 4000 + i
    const size_t line8 = text.find("10, 4006, 100\r\n");
    text.insert(line8 + 13, std::string(200, ' '));
    config.WriteFile("in.csv", text);
    const auto r = Run({"--yes", "shading", "write", config / "in.csv"}, 0);
    EXPECT_TRUE(
        Contains(r.err, "Line 8 of the file is longer than 126 characters and was skipped: entry 7 is missing."))
        << r.err;
    EXPECT_TRUE(Contains(r.err, "The file holds 1023 of 1024 entries")) << r.err;
    camera->Inspect([](const vr::sim::VirtualCamera& c) {
        EXPECT_EQ(c.ShadingEntry(0, 1, 5), 4005);
        EXPECT_EQ(c.ShadingEntry(0, 1, 6), 0) << "SDDI=7: not in the file, so the buffer's 0";
        EXPECT_EQ(c.ShadingEntry(0, 1, 7), 4007) << "SDDI=8: file line 9, where it belongs";
        EXPECT_EQ(c.ShadingEntry(0, 1, 1023), 5023);
    });
}

// After a hang-up the commands written into the closed line are failures, not entries sent; what the
// camera confirmed is the last entry whose index and data it answered.
TEST_F(TableFilesCtlTest, AHangUpReportsWhatTheCameraAnsweredAndWhatWasNeverTried) {
    config.WriteFile("full.csv", GammaFile(256, 0));
    const size_t startUp = Sent(Run({"lut", "write", config / "full.csv"}, 0).err).size() - 1536;
    Start("KB", [&](auto& o) { o.hangupAfter = static_cast<int>(startUp) + 2 * 148; });
    const auto r = Run({"lut", "write", config / "full.csv"}, 1);
    EXPECT_TRUE(Contains(r.err,
                         "vr8200ctl: Of 1536 commands, 296 were answered, 10 failed (first at red entry 148: the line "
                         "went away"))
        << r.err;
    EXPECT_TRUE(Contains(r.err,
                         "and 1230 were not attempted. The last entry the camera confirmed is red 147. The camera "
                         "stopped answering: the transfer was ended after 10 failures in a row.\n"))
        << r.err;
}

// A device, a FIFO or a link to one is never replaced by a plain file: refused before the camera is asked.
TEST_F(TableFilesCtlTest, WritersLeaveAloneWhatIsNoRegularFile) {
    ASSERT_EQ(::mkfifo((config / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(config / "fifo", config / "link.csv");
    for (const Strings& args :
         {Strings{"--yes", "lut", "read", config / "link.csv"}, Strings{"--yes", "shading", "read", config / "fifo"},
          Strings{"--yes", "save", config / "link.csv"}}) {
        const auto r = Run(args, 4);
        EXPECT_TRUE(Contains(r.err, "not a regular file")) << r.err;
        EXPECT_TRUE(Sent(r.err).empty()) << args[1];
    }
    RunTool({"--yes", "lut", "curve", config / "link.csv", "--points", "0,256 256,0"}, config.Path(), 4);
    EXPECT_TRUE(std::filesystem::is_fifo(config / "fifo"));
    EXPECT_TRUE(std::filesystem::is_symlink(config / "link.csv"));
}
