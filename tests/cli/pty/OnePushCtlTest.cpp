// vr8200ctl onepush and xml-version over a pty: output, lines sent, exit status. Polls that lose the
// camera are the fault matrix's; bad arguments are in CtlTest's usage errors.

#include <gtest/gtest.h>

#include "RunTool.h"

using namespace vr::test;
using OnePushCtlTest = CtlFixture;

TEST_F(OnePushCtlTest, OnePushPrintsTheResultAndTheReReadValues) {
    Start("KA", [](auto& o) { o.busyStatusReads = 1; });
    auto r = Run({"onepush", "white-balance"}, 0);
    EXPECT_EQ(Lines(r.out), (Strings{"White Balance Once: Succeeded", "AWB=0", "GAR=125", "GAB=80", "GA=100"}));
    // The individual gain mode decides between GA and GAG; the tool asks for it first.
    EXPECT_EQ(SentAfterConnect(r.err), (Strings{"GM?", "AWB=2", "AWRS?", "AWB?", "GAR?", "GAB?", "GA?"}));
    ASSERT_EQ(Run({"set", "PGC=2"}).exitCode, 0);
    EXPECT_EQ(Lines(Run({"--json", "onepush", "pixel-gain"}, 0).out),
              (Strings{R"({"title":"Recalibrate Pixel Gain","text":"Succeeded"})"}));
    EXPECT_EQ(Lines(Run({"--factory", "onepush", "factory-pixel-black"}, 0).out),
              (Strings{"Recalibrate Pixel Black (Factory): Succeeded"}));
}

TEST_F(OnePushCtlTest, AnyOtherResultOrAFailedStartExitsWithOne) {
    Start("KB", [](auto& o) {
        o.agcResult = 3;
        o.refuse = {"PBR"};
    });
    ASSERT_EQ(Run({"set", "GM=1", "PBC=4"}).exitCode, 0);
    // Auto Setting's gain auto short of success is not shown in the window; here it is printed, with the
    // individual gains the white balance set.
    auto r = Run({"onepush", "auto-setting"}, 1);
    EXPECT_EQ(Lines(r.out), (Strings{"Auto Setting: Control Limit", "GAR=250", "GAB=160", "GAG=200"}));
    r = Run({"onepush", "pixel-black"}, 1);
    EXPECT_TRUE(Lines(r.out).empty());
    EXPECT_TRUE(Contains(r.err, "VR-8200 Control Tool: Recalibrate Pixel Black (Tool: PBR Command Timeout)")) << r.err;
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: the camera answered \"ERROR: Refused\" to PBR=0")) << r.err;
    r = Run({"onepush", "exposure-white-balance"}, 1);
    EXPECT_TRUE(Contains(r.err, "the VR-8200-KB has no exposure white balance")) << r.err;
    EXPECT_EQ(camera->Value("AWB"), 0);
}

// What the window greys is refused as a usage error, naming the setting that would let it run.
TEST_F(OnePushCtlTest, FunctionsTheWindowGreysAreRefusedWithTheSettingThatAllowsThem) {
    Start("KA");
    for (const auto& [function, query, message] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"pixel-gain", "PGC?",
              "vr8200ctl: onepush pixel-gain needs \"Pixel Gain Correction / Correction Mode\" (PGC) at User1, User2 "
              "or User3; the camera has it at Off\n"},
             {"pixel-black", "PBC?",
              "vr8200ctl: onepush pixel-black needs \"Pixel Black Correction / Correction Mode\" (PBC) at User1, "
              "User2 or User3; the camera has it at Off\n"},
             {"gain-auto", "GM?",
              "vr8200ctl: onepush gain-auto needs \"Gain and Black / Indivisual Gain Mode\" (GM) at On; the camera "
              "has it at Off\n"},
             {"auto-setting", "GM?",
              "vr8200ctl: onepush auto-setting needs \"Gain and Black / Indivisual Gain Mode\" (GM) at On; the "
              "camera has it at Off\n"}}) {
        const auto r = Run({"onepush", function}, 2);
        EXPECT_TRUE(Contains(r.err, message)) << r.err;
        EXPECT_EQ(SentAfterConnect(r.err), Strings{query}) << "nothing started";
    }
    ASSERT_EQ(Run({"set", "PGC=1"}).exitCode, 0);
    EXPECT_TRUE(Contains(Run({"onepush", "pixel-gain"}, 2).err, "the camera has it at Default"));
}

TEST_F(OnePushCtlTest, XmlVersionWritesAndReads) {
    Start("KA");
    EXPECT_TRUE(
        Contains(Run({"--factory", "xml-version", "42"}, 0).err, "Writing the XML Version has been completed."));
    EXPECT_EQ(camera->Value("XMLVR"), 42);
    EXPECT_EQ(Run({"xml-version"}, 0).out, "XMLVR=42\n");
    EXPECT_EQ(Run({"--json", "xml-version"}).out, "{\"XMLVR\":42}\n");
}

// Ctrl-C while the camera hangs in a calibration: the tool stops waiting for the start command at
// once, says what that means, asks the camera nothing more and ends as stopped.
TEST_F(OnePushCtlTest, CtrlCAbandonsTheWaitForAHungCalibration) {
    Start("KA", [](auto& o) { o.hangAtCommand = "RS"; });
    const TempDir outDir;
    const pid_t pid = SpawnTool({"--port", camera->DevicePath(), "--trace", "onepush", "shading"}, config.Path(),
                                outDir / "out", outDir / "err");
    ASSERT_GE(pid, 0);
    // Once the start command is on the wire, and the wait has lasted longer than a moment.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!Contains(outDir.ReadFile("err"), "Tx: RS=0") && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    const auto interrupted = std::chrono::steady_clock::now();
    ::kill(pid, SIGINT);
    const int exitCode = Reap(pid);
    EXPECT_LT(std::chrono::steady_clock::now() - interrupted, std::chrono::seconds(30)) << "not the 420 s time-out";
    const std::string err = outDir.ReadFile("err");
    EXPECT_EQ(exitCode, 130) << err;
    EXPECT_TRUE(Contains(err,
                         "Shading Calibration: Stopped waiting for RS. The camera may still be calibrating; its "
                         "answer will be ignored."))
        << err;
    EXPECT_EQ(SentAfterConnect(err), Strings{"RS=0"});
}
