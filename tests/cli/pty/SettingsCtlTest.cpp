// vr8200ctl's settings subcommands against the virtual camera over a pty: output, exit status and
// what they did to the camera. The file's bytes and the areas' dialogs are tests/settings'.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "RunTool.h"

using namespace vr::test;
using SettingsCtlTest = CtlFixture;

TEST_F(SettingsCtlTest, SaveWritesTheFileAndReplacesOneOnlyWithYes) {
    Start("KA");
    const std::string path = config / "golden.cam";
    auto r = Run({"--factory", "save", path}, 0);
    EXPECT_EQ(r.out, "file=" + path + "\nlines=177\n");
    const std::string text = config.ReadFile("golden.cam");
    EXPECT_EQ(text.rfind("MD00=VR-8200-KA\r\nTM=0\r\n", 0), 0u);
    EXPECT_TRUE(Contains(text, "\r\nLR=20000\r\n")) << "the camera's value, not the tool's default";

    EXPECT_TRUE(Sent(Run({"save", "--shipping", path}, 2).err).empty());
    EXPECT_EQ(config.ReadFile("golden.cam"), text);

    EXPECT_EQ(Run({"--yes", "--json", "save", path, "--shipping"}).out, "{\"file\":\"" + path + "\",\"lines\":145}\n");

    config.WriteFile("plain", "");
    r = Run({"save", config / "plain/x.cam"}, 4);
    EXPECT_TRUE(
        Contains(r.err, "vr8200ctl: " + config / "plain/x.cam" + ": lstat: Not a directory; nothing was written"))
        << r.err;
    EXPECT_TRUE(Sent(r.err).empty()) << "refused before the camera is read";
}

// A save through a link replaces the file the link leads to, in that file's folder, with its mode.
TEST_F(SettingsCtlTest, SaveThroughALinkUpdatesItsTargetAndKeepsTheMode) {
    Start("KA");
    std::filesystem::create_directory(config / "golden");
    config.WriteFile("golden/line3.cam", "GA=1\r\n");
    ASSERT_EQ(::chmod((config / "golden/line3.cam").c_str(), 0640), 0);
    std::filesystem::create_symlink("golden/line3.cam", config / "current.cam");
    Run({"--yes", "save", config / "current.cam", "--shipping"}, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(config / "current.cam"));
    EXPECT_TRUE(Contains(config.ReadFile("golden/line3.cam"), "\r\nLR=20000\r\n"));
    struct stat st {};
    ASSERT_EQ(::stat((config / "golden/line3.cam").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(SettingsCtlTest, LoadTriesEveryLineAndListsTheRefusedOnes) {
    Start("KA", [](auto& o) { o.refuse = {"GA"}; });
    config.WriteFile("in.cam", "WTC=2048\r\nGA=500\r\nPE=&H1F40\r\n");
    auto r = Run({"load", config / "in.cam"}, 1);
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: line 2 refused: GA=500\n")) << r.err;
    const Strings sent = Sent(r.err);
    EXPECT_TRUE(Has(sent, "GA=500") && Has(sent, "PE=8000"));
    EXPECT_FALSE(Has(sent, "WTC?")) << "no full read first";
    EXPECT_EQ(camera->Value("WTC"), 2048);

    // What a refused line quotes of the file is printable: its escape bytes do not reach the terminal.
    config.WriteFile("escape.cam", "GA=300,\x1b]0;owned\x07\r\n");
    r = Run({"load", config / "escape.cam"}, 1);
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: line 1 refused: GA=300,\\x1B]0;owned\\x07\n")) << r.err;
    EXPECT_FALSE(Contains(r.err, "\x1b")) << r.err;

    config.WriteFile("ok.cam", "BL=5\r\n");
    Run({"--rate", "115200", "load", config / "ok.cam"}, 0);
    EXPECT_EQ(camera->Value("BL"), 5);

    EXPECT_TRUE(Sent(Run({"load", config / "missing.cam"}, 4).err).empty())
        << "the file is read before the camera is asked anything";
}

TEST_F(SettingsCtlTest, DiffPrintsEachDifference) {
    Start("KB");
    const std::string path = config / "golden.cam";
    ASSERT_EQ(Run({"save", path}).exitCode, 0);
    EXPECT_TRUE(Run({"--rate", "115200", "diff", path}, 0).out.empty());

    ASSERT_EQ(Run({"--rate", "115200", "set", "GA=400"}).exitCode, 0);
    config.WriteFile("golden.cam", config.ReadFile("golden.cam") + "PER=9000\r\n");
    auto r = Run({"--rate", "115200", "diff", path}, 1);
    EXPECT_EQ(Lines(r.out), (Strings{"GA file=100 camera=400", "PER file=9000 camera="}));
    EXPECT_EQ(Run({"--rate", "115200", "--json", "diff", path}).out,
              "{\"file\":\"" + path +
                  "\",\"differences\":[{\"name\":\"GA\",\"caption\":\"Gain and Black / Gain All\","
                  "\"kind\":\"differs\",\"file\":100,\"camera\":400},{\"name\":\"PER\",\"caption\":"
                  "\"Exposure / Exposure Time R\",\"kind\":\"model-lacks\",\"file\":9000,\"camera\":"
                  "null}]}\n");
}

// Reading all settings leaves out the chromatic aberration mode and lines; the file's are asked one by one.
TEST_F(SettingsCtlTest, DiffComparesTheChromaticAberrationSettingsTheFileHolds) {
    Start("KA");
    const std::string path = config / "golden.cam";
    ASSERT_EQ(Run({"save", path}).exitCode, 0);
    ASSERT_TRUE(Contains(config.ReadFile("golden.cam"), "\r\nCACM=0\r\n"));
    config.WriteFile("golden.cam", config.ReadFile("golden.cam") + "CACR0=5\r\nCACB1=-3\r\n");
    ASSERT_EQ(Run({"--rate", "115200", "set", "CACM=3", "CACR0=7", "CACB1=-3"}).exitCode, 0);
    const auto r = Run({"--rate", "115200", "diff", path}, 1);
    EXPECT_EQ(Lines(r.out), (Strings{"CACM file=0 camera=3", "CACR0 file=5 camera=7"}));
    const Strings sent = Sent(r.err);
    EXPECT_TRUE(Has(sent, "CACM?") && Has(sent, "CACR0?") && Has(sent, "CACB1?"));
    EXPECT_FALSE(Has(sent, "CACS?")) << "an action is not asked";
}

TEST_F(SettingsCtlTest, AreasAreStoredLoadedAndReported) {
    Start("KA");
    ASSERT_EQ(Run({"set", "GA=300"}).exitCode, 0);
    EXPECT_TRUE(Has(Sent(Run({"--rate", "115200", "store-area", "2"}, 0).err), "SA=2"));
    EXPECT_EQ(Run({"--rate", "115200", "--json", "area"}).out, "{\"area\":2}\n");

    ASSERT_EQ(Run({"--rate", "115200", "set", "GA=100"}).exitCode, 0);
    const auto lines = Lines(Run({"--rate", "115200", "load-area", "2"}, 0).out);
    EXPECT_EQ(lines.size(), 146u);
    EXPECT_TRUE(Has(lines, "GA=300"));
    EXPECT_EQ(Run({"--rate", "115200", "area"}).out, "area=2\n");
}

// A camera that does not answer shows no box in the window; the command line still says what failed.
TEST_F(SettingsCtlTest, AreaCommandsAndResetSayWhatWentUnanswered) {
    for (const auto& [command, args, line] : std::vector<std::tuple<std::string, Strings, std::string>>{
             {"SA", {"store-area", "2"}, "vr8200ctl: no reply to SA=2 within 8 s\n"},
             {"LD", {"load-area", "1"}, "vr8200ctl: no reply to LD=1 within 10 s\n"},
             {"CRS00", {"--factory", "reset"}, "vr8200ctl: no reply to CRS00=1 within 1 s\n"}}) {
        Start("KA", [&](auto& o) { o.hangAtCommand = command; });
        const auto r = Run(args, 1);
        EXPECT_TRUE(Contains(r.err, line)) << r.err;
    }
}

TEST_F(SettingsCtlTest, StoreAllFailsOnOneRefusal) {
    Start("KB", [](auto& o) { o.refuse = {"SA=3"}; });
    const auto r = Run({"--factory", "--yes", "store-all"}, 1);
    const Strings sent = Sent(r.err);
    EXPECT_TRUE(Has(sent, "SA=1") && Has(sent, "SA=2") && Has(sent, "SA=3") && Has(sent, "SA00=0"));
    EXPECT_TRUE(Contains(r.err, "VR-8200 Control Tool: Couldn't store current setting data!"));
}

TEST_F(SettingsCtlTest, WriteModelAndReset) {
    Start("KA");
    Run({"--factory", "write-model", "KB"}, 0);
    EXPECT_EQ(camera->ModelName(), "VR-8200-KB");
    Run({"--rate", "115200", "--factory", "reset"}, 0);
    EXPECT_EQ(camera->CameraRate(), 9600u);
}

// The loader sends only what the file says: a lone CR ends a line, a byte-order mark is no part of
// line 1, blanks go from a model name as from every line, a number beyond 32 bits is reported and not
// sent, and a file with no setting at all is refused before anything is sent.
TEST_F(SettingsCtlTest, LoadSendsOnlyWhatTheFileSays) {
    Start("KB");
    config.WriteFile("cr.cam", "MD00 = VR-8200 -KA\rGA=400\rGAR=200\r");
    auto r = Run({"load", config / "cr.cam"}, 0);
    const Strings sent = Sent(r.err);
    EXPECT_TRUE(Has(sent, "MD00=VR-8200-KA") && Has(sent, "GA=400") && Has(sent, "GAR=200")) << r.err;
    EXPECT_EQ(camera->ModelName(), "VR-8200-KA");

    config.WriteFile("bom.cam", "\xEF\xBB\xBFGA=401\r\n");
    Run({"load", config / "bom.cam"}, 0);
    EXPECT_EQ(camera->Value("GA"), 401);

    config.WriteFile("big.cam", "LR=3000000000\r\nGAB=&H1FFFFFFFF\r\nGA=&HFFFFFFFF\r\nGA=402\r\n");
    r = Run({"load", config / "big.cam"}, 1);
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: line 1 not sent (a number beyond 32 bits): LR=3000000000\n")) << r.err;
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: line 2 not sent (a number beyond 32 bits): GAB=&H1FFFFFFFF\n"));
    EXPECT_EQ(SentAfterConnect(r.err), (Strings{"GA=-1", "GA=402"})) << "&HFFFFFFFF is 32 bits: -1";
    EXPECT_EQ(camera->Value("LR"), 20000);

    static const char kUtf16[] = "G\0A\0=\0004\0000\0003\0\r\0\n\0";
    const std::string utf16(kUtf16, sizeof kUtf16 - 1);
    for (const std::string& content :
         {std::string(), std::string("\r\r\n\r"), utf16, std::string("\x7F\x45LF\x01\x02")}) {
        config.WriteFile("none.cam", content);
        r = Run({"load", config / "none.cam"}, 4);
        EXPECT_TRUE(Contains(r.err, "holds no camera setting (NAME=VALUE lines); nothing was sent")) << r.err;
        EXPECT_TRUE(Sent(r.err).empty()) << "refused before the camera is asked anything";
    }
    EXPECT_EQ(camera->Value("GA"), 402);
}
