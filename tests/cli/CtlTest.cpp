// vr8200ctl's general commands (dump, connect, set, get, send) against the virtual camera over a
// pseudo-terminal: usage errors, a missing camera, refusals and Ctrl-C.

#include <gtest/gtest.h>

#include <algorithm>

#include "RunTool.h"
#include "TempDir.h"

using namespace vr::test;

namespace {

vr::sim::SimOptions Model(const char* model, uint32_t startRate = 9600) {
    vr::sim::SimOptions options;
    options.model = model;
    options.startRate = startRate;
    return options;
}

class CtlTest : public ::testing::Test {
protected:
    TempDir config;
};

}  // namespace

TEST_F(CtlTest, DumpPrintsEveryRowTheModelHasInTableOrder) {
    const struct {
        const char* model;
        bool factory;
        size_t rows;
    } cases[] = {{"KB", false, 144}, {"KB", true, 160}, {"KA", false, 146}, {"KA", true, 178}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.model) + (c.factory ? " factory" : ""));
        std::vector<std::string> args = {"--simulate", c.model, "dump"};
        if (c.factory) args.insert(args.begin(), "--factory");
        const auto r = RunTool(args, config.Path());
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const auto lines = Lines(r.out);
        EXPECT_EQ(lines.size(), c.rows);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "WTC=4096"), 1) << "the camera's image width";
        for (const auto& line : lines) EXPECT_TRUE(Contains(line, "=")) << line;
    }
    // The factory run did not leave factory mode stored for the operator.
    EXPECT_EQ(Lines(RunTool({"--simulate", "KA", "dump"}, config.Path()).out).size(), 146u);
}

TEST_F(CtlTest, ConnectRaisesTheLineFromWhereverTheCameraIs) {
    for (uint32_t rate : {9600u, 57600u}) {
        auto camera = StartCamera(Model("KB", rate));
        const auto r = RunTool({"--port", camera->DevicePath(), "--trace", "connect"}, config.Path());
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(Lines(r.out), (std::vector<std::string>{"model=VR-8200-KB", "rate=115200", "area=0"}));
        EXPECT_EQ(camera->CameraRate(), 115200u);
        const auto sent = Sent(r.err);
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.front(), "MD?");
        EXPECT_EQ(std::count(sent.begin(), sent.end(), "CBDRT=16"), 2) << "once at the old rate, once at the new";
    }
}

TEST_F(CtlTest, SetChangesTheCameraAndStopsAtTheFirstRefusal) {
    auto camera = StartCamera(Model("KA"));
    auto r = RunTool({"--port", camera->DevicePath(), "set", "GA=400", "UD=line 3 left"}, config.Path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(camera->Value("GA"), 400);
    EXPECT_EQ(camera->QueryValue("UD"), "line 3 left");

    vr::sim::SimOptions options;
    options.refuse = {"BLR"};
    auto refusing = StartCamera(options);
    r = RunTool({"--port", refusing->DevicePath(), "--trace", "set", "GA=500", "BLR=3", "BL=3"}, config.Path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(refusing->Value("GA"), 500);
    EXPECT_TRUE(Contains(r.err, "Communication Error: ERROR: Refused")) << r.err;
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: the camera answered \"ERROR: Refused\" to BLR=3")) << r.err;
    const auto sent = Sent(r.err);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "BL=3"), 0) << "nothing is sent after a refusal";

    r = RunTool({"--port", refusing->DevicePath(), "--json", "get", "GA", "MD"}, config.Path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"GA\": 500, \"MD\": \"VR-8200-KA\"}\n");
}

TEST_F(CtlTest, UsageErrorsExitWithTwoBeforeTouchingTheLine) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate"},
        {"--simulate", "KA", "get", "NOPE"},
        {"--simulate", "KA", "set", "GA"},
        {"--simulate", "KA", "set", "GA=12abc"},
        {"--simulate", "KA", "set", "GA=4294967296"},
        {"--rate", "1234", "connect"},
        {"--link", "usb", "connect"},
        {"--port", "", "connect"},
        {"--config-dir", "", "--simulate", "KA", "connect"},
        // Outside the row's range, a one-push start, a text that would end the line early.
        {"--simulate", "KA", "set", "GA=99999"},
        {"--simulate", "KA", "set", "RS=0"},
        {"--simulate", "KA", "set", "UD=a\r\nGA=1234"},
        {"--simulate", "KA", "set", "UD=ok\r\nCRS00=1"},
        {"--simulate", "KA", "send", "GA?\r\nCRS00=1"},
        // A name holding a terminal's escape sequence.
        {"--simulate", "KA", "get", "G\x1b[2J"},
    };
    for (const auto& args : bad) {
        const auto r = RunTool(args, config.Path());
        EXPECT_EQ(r.exitCode, 2) << (args.empty() ? "(none)" : args.back()) << ": " << r.err;
        EXPECT_FALSE(Contains(r.err, "Tx: "));
        EXPECT_FALSE(Contains(r.err, "\x1b")) << "messages are printable";
    }
    EXPECT_EQ(RunTool({"--help"}, config.Path()).exitCode, 0);
}

TEST_F(CtlTest, NoCameraOrNoPortExitsWithThree) {
    auto r = RunTool({"--port", config / "no-such-device", "connect"}, config.Path());
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err, "vr8200ctl: cannot open " + (config / "no-such-device") +
                         ": Error in open(): No such file or directory\n")
        << "one failed open, one line";

    // The stored adapter unplugged: named as the stored device, and kept, whatever port has its
    // number now.
    const std::string unplugged = config / "ttyUSB7";
    config.WriteFile("settings.ini", "[VR-8200 Control Tool]\nCom Port No=0\nCom Port Device=" + unplugged + "\n");
    r = RunTool({"connect"}, config.Path());
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err, "vr8200ctl: cannot open " + unplugged + ": " + unplugged +
                         " is not present; plug in the adapter or choose another port\n");
    EXPECT_TRUE(Contains(config.ReadFile("settings.ini"), "Com Port Device=" + unplugged + "\n"));

    vr::sim::SimOptions silent;
    silent.silent = true;
    auto mute = StartCamera(silent);
    r = RunTool({"--port", mute->DevicePath(), "get", "GA"}, config.Path());
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.out.empty());
}

TEST_F(CtlTest, SendWritesOneLineAndListsTheReplies) {
    auto camera = StartCamera(Model("KA"));
    auto r = RunTool({"--port", camera->DevicePath(), "--trace", "send", "GA?", "--wait", "300"}, config.Path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "GA=100\n");
    EXPECT_EQ(Sent(r.err), std::vector<std::string>{"GA?"}) << "no start-up sequence";
    EXPECT_TRUE(Contains(r.err, "Rx: GA=100"));

    r = RunTool({"--port", camera->DevicePath(), "--rate", "19200", "send", "GA?", "--wait", "200"}, config.Path());
    EXPECT_EQ(r.exitCode, 1) << "a camera at another rate hears garbage and says nothing";
    EXPECT_TRUE(r.out.empty());
}

// Ctrl-C during a dump on a slow camera: the command on the wire is waited for, the read stops at
// the next row, what was read is printed and the program ends as interrupted.
TEST_F(CtlTest, CtrlCStopsADumpBetweenTwoCommands) {
    vr::sim::SimOptions options = Model("KA");
    options.slowMs = 40;
    auto camera = StartCamera(options);
    const auto r =
        RunTool({"--port", camera->DevicePath(), "--trace", "dump"}, config.Path(), std::chrono::milliseconds(2500));
    EXPECT_EQ(r.exitCode, 130) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_FALSE(lines.empty()) << r.err;
    EXPECT_LT(lines.size(), 146u);
    EXPECT_TRUE(Contains(r.err, "Stopped after " + std::to_string(lines.size()) + " of 146 settings.")) << r.err;
    // Every query the tool sent got its answer before the tool ended: the last traffic is a reply.
    std::string last;
    for (const auto& line : Lines(r.err))
        if (Contains(line, "Tx: ") || Contains(line, "Rx: ")) last = line;
    EXPECT_TRUE(Contains(last, "Rx: ")) << last;
}
