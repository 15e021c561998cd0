// vr8200ctl's lut and shading subcommands over a pty: files left, camera contents, exit statuses. Bad
// lines, the curve's table and the transfers' wire order are tests/lut_files' and tests/lut's.

#include <gtest/gtest.h>

#include <filesystem>

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
             {{"lut", "write", shortFile}, 2, "The file holds 10 of 256 entries; the rest will be written as 0."},
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
                         "vr8200ctl: 204 of 6148 commands failed (first at G entry 5: the camera answered "
                         "\"ERROR: Out of range\" to SDD=9000)."))
        << r.err;
    EXPECT_EQ(TableLines(r.err).back(), "SDDU=0");
    EXPECT_FALSE(Contains(r.err, "Communication Error")) << "one line, not one per refusal";

    config.WriteFile("short.csv", ShadingFile(10, 1));
    const auto refused = Run({"shading", "write", config / "short.csv"}, 2);
    EXPECT_TRUE(Contains(refused.err, "The file holds 10 of 1024 entries")) << refused.err;
    EXPECT_TRUE(TableLines(refused.err).empty()) << "refused before connecting";
}
