#include <gtest/gtest.h>

#include <algorithm>

#include "RunTool.h"
#include "TempDir.h"
#include "sim/PtyServer.h"

using vr::test::Lines;
using vr::test::RunTool;

namespace {

class CtlTest : public ::testing::Test {
protected:
    vr::test::TempDir config;

    // A camera of our own, so the test can see what the tool did to it.
    std::unique_ptr<vr::sim::PtyServer> StartCamera(const std::string& model, uint32_t startRate = 9600) {
        auto server = std::make_unique<vr::sim::PtyServer>();
        vr::sim::SimOptions options;
        options.model = model;
        options.startRate = startRate;
        std::string error;
        EXPECT_TRUE(server->Start(options, &error)) << error;
        return server;
    }

    static std::vector<std::string> Sent(const std::string& trace) {
        std::vector<std::string> sent;
        for (const auto& line : Lines(trace)) {
            const auto at = line.find("Tx: ");
            if (at != std::string::npos) sent.push_back(line.substr(at + 4));
        }
        return sent;
    }
};

}  // namespace

TEST_F(CtlTest, DumpPrintsEveryRowTheModelHasInTableOrder) {
    const struct {
        const char* model;
        bool factory;
        size_t rows;
    } cases[] = {{"KB", false, 144}, {"KB", true, 160}, {"KA", false, 146}, {"KA", true, 178}};
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--simulate", c.model, "dump"};
        if (c.factory) args.insert(args.begin(), "--factory");
        const auto r = RunTool(args, config.Path());
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const auto lines = Lines(r.out);
        EXPECT_EQ(lines.size(), c.rows) << c.model << (c.factory ? " factory" : "");
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "WTC=4096"), 1) << "the camera's image width";
        for (const auto& line : lines) EXPECT_NE(line.find('='), std::string::npos) << line;
    }
    // The factory run did not leave factory mode stored for the operator.
    const auto r = RunTool({"--simulate", "KA", "dump"}, config.Path());
    EXPECT_EQ(Lines(r.out).size(), 146u);
}

TEST_F(CtlTest, ConnectRaisesTheLineFromWhereverTheCameraIs) {
    for (uint32_t rate : {9600u, 57600u}) {
        auto camera = StartCamera("KB", rate);
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
    auto camera = StartCamera("KA");
    auto r = RunTool({"--port", camera->DevicePath(), "set", "GA=400", "UD=line 3 left"}, config.Path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(camera->Value("GA"), 400);
    EXPECT_EQ(camera->QueryValue("UD"), "line 3 left");

    vr::sim::PtyServer refusing;
    vr::sim::SimOptions options;
    options.refuse = {"BLR"};
    std::string error;
    ASSERT_TRUE(refusing.Start(options, &error)) << error;
    r = RunTool({"--port", refusing.DevicePath(), "--trace", "set", "GA=500", "BLR=3", "BL=3"}, config.Path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(refusing.Value("GA"), 500);
    EXPECT_NE(r.err.find("Communication Error: ERROR: Refused"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("vr8200ctl: the camera answered \"ERROR: Refused\" to BLR=3"), std::string::npos) << r.err;
    const auto sent = Sent(r.err);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "BL=3"), 0) << "nothing is sent after a refusal";

    r = RunTool({"--port", refusing.DevicePath(), "--json", "get", "GA", "MD"}, config.Path());
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
        EXPECT_EQ(r.err.find("Tx: "), std::string::npos);
        EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << "messages are printable";
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
    EXPECT_NE(config.ReadFile("settings.ini").find("Com Port Device=" + unplugged + "\n"), std::string::npos);

    vr::sim::SimOptions silent;
    silent.silent = true;
    vr::sim::PtyServer mute;
    std::string error;
    ASSERT_TRUE(mute.Start(silent, &error)) << error;
    r = RunTool({"--port", mute.DevicePath(), "get", "GA"}, config.Path());
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.out.empty());
}

TEST_F(CtlTest, SendWritesOneLineAndListsTheReplies) {
    auto camera = StartCamera("KA");
    auto r = RunTool({"--port", camera->DevicePath(), "--trace", "send", "GA?", "--wait", "300"}, config.Path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "GA=100\n");
    EXPECT_EQ(Sent(r.err), std::vector<std::string>{"GA?"}) << "no start-up sequence";
    EXPECT_NE(r.err.find("Rx: GA=100"), std::string::npos);

    r = RunTool({"--port", camera->DevicePath(), "--rate", "19200", "send", "GA?", "--wait", "200"}, config.Path());
    EXPECT_EQ(r.exitCode, 1) << "a camera at another rate hears garbage and says nothing";
    EXPECT_TRUE(r.out.empty());
}

// Ctrl-C during a dump on a slow camera: the command on the wire is waited for, the read stops at
// the next row, what was read is printed and the program ends as interrupted.
TEST_F(CtlTest, CtrlCStopsADumpBetweenTwoCommands) {
    vr::sim::PtyServer camera;
    vr::sim::SimOptions options;
    options.model = "KA";
    options.slowMs = 40;
    std::string error;
    ASSERT_TRUE(camera.Start(options, &error)) << error;
    const auto r =
        RunTool({"--port", camera.DevicePath(), "--trace", "dump"}, config.Path(), std::chrono::milliseconds(2500));
    EXPECT_EQ(r.exitCode, 130) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_FALSE(lines.empty()) << r.err;
    EXPECT_LT(lines.size(), 146u);
    EXPECT_NE(r.err.find("Stopped after " + std::to_string(lines.size()) + " of 146 settings."), std::string::npos)
        << r.err;
    // Every query the tool sent got its answer before the tool ended: the last traffic is a reply.
    const auto trace = Lines(r.err);
    std::vector<std::string> traffic;
    for (const auto& line : trace)
        if (line.find("Tx: ") != std::string::npos || line.find("Rx: ") != std::string::npos) traffic.push_back(line);
    ASSERT_FALSE(traffic.empty());
    EXPECT_NE(traffic.back().find("Rx: "), std::string::npos) << traffic.back();
}
