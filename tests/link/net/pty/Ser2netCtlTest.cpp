// vr8200ctl reaching the virtual camera through ser2net (the shipped template in front of the
// camera's pseudo-terminal): the rate search and raise through the server, dump, load, lut write,
// a raw bridge that must leave the camera where it is, and a server that is not there.

#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "RunTool.h"
#include "Ser2netOnPty.h"
#include "link/NetworkLinkDriver.h"

using namespace vr::test;

namespace {

class Ser2netCtlTest : public CtlFixture {
protected:
    void SetUp() override {
        if (!Ser2netOnPty::Installed()) GTEST_SKIP() << "ser2net is not installed (scripts/setup-debian.sh)";
    }
    // The camera wakes at 9600 bit/s behind the server.
    void StartBehindServer(const std::string& model = "KA", Ser2netOptions options = Ser2netOptions()) {
        Start(model);
        std::string error;
        ASSERT_TRUE(server.Start(camera->DevicePath(), error, options)) << error;
    }
    ToolResult RunNet(Strings args, std::optional<int> exitCode, const char* scheme = "rfc2217",
                      std::source_location where = std::source_location::current()) {
        args.insert(args.begin(), {"--port", server.Address(scheme), "--trace"});
        return RunTool(args, config.Path(), exitCode, {}, where);
    }
    Ser2netOnPty server;
};

TEST_F(Ser2netCtlTest, ConnectSearchesTheRateAndRaisesTheLineThroughTheServer) {
    StartBehindServer();
    auto r = RunNet({"connect"}, 0);
    EXPECT_EQ(Lines(r.out), (Strings{"model=VR-8200-KA", "rate=115200", "area=0", "server=VR-8200 camera port"}));
    // The server changed the pseudo-terminal's rate, and the camera followed it.
    EXPECT_EQ(camera->CameraRate(), 115200u);
    const auto sent = Sent(r.err);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "CBDRT=16"), 2) << r.err;

    // The next run finds the camera at 115200 at once and says nothing went out at a wrong rate.
    const uint64_t dropped = camera->BytesDroppedForRate();
    r = RunNet({"get", "GA"}, 0);
    EXPECT_EQ(Lines(r.out), Strings{"GA=100"});
    EXPECT_TRUE(Contains(r.err, "probing there first")) << r.err;
    EXPECT_EQ(camera->BytesDroppedForRate(), dropped);
    EXPECT_TRUE(Contains(config.ReadFile("settings.ini"), "Camera Rate Port=" + server.Address()))
        << "remembered per address";
}

TEST_F(Ser2netCtlTest, DumpLoadAndLutWriteCarryEveryLineThroughTheServer) {
    StartBehindServer("KB");
    auto r = RunNet({"dump"}, 0);
    const Strings rows = Lines(r.out);
    EXPECT_GT(rows.size(), 50u);
    EXPECT_TRUE(Has(rows, "GA=100")) << r.out;

    config.WriteFile("in.cam", "GA=403\r\nBL=7\r\n");
    RunNet({"load", config / "in.cam"}, 0);
    EXPECT_EQ(camera->Value("GA"), 403);
    EXPECT_EQ(camera->Value("BL"), 7);

    std::string text = "GammaData (R G B)\r\n";
    for (int i = 0; i < 256; ++i) text += std::to_string(i) + "," + std::to_string(1000 + i) + ",7\r\n";
    config.WriteFile("in.csv", text);
    RunNet({"lut", "write", config / "in.csv"}, 0);
    camera->Inspect([](const vr::sim::VirtualCamera& c) {
        EXPECT_EQ(c.LutEntry(0, 0), 0);
        EXPECT_EQ(c.LutEntry(1, 255), 1255);
        EXPECT_EQ(c.LutEntry(2, 17), 7);
    });
}

TEST_F(Ser2netCtlTest, ARawBridgeLeavesTheCameraAtTheBridgesRate) {
    StartBehindServer("KA", {.raw = true});
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        const auto r = RunNet({"connect"}, 0, "tcp");
        EXPECT_EQ(Lines(r.out), (Strings{"model=VR-8200-KA", "rate=9600", "area=0"}));
        EXPECT_TRUE(Contains(r.err, "is a raw bridge: the line stays at the bridge's rate and is never raised"))
            << r.err;
        EXPECT_FALSE(Contains(r.err, "CBDRT")) << r.err;
        EXPECT_EQ(camera->CameraRate(), 9600u);
    }
    // Without --trace the operator is told as well.
    const auto r = RunTool({"--port", server.Address("tcp"), "connect"}, config.Path(), 0);
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: " + server.Address("tcp") + " is a raw bridge")) << r.err;
}

TEST_F(Ser2netCtlTest, AServerThatIsNotThereOrGoesAwayEndsTheRunWithExitThree) {
    StartBehindServer();
    const std::string address = server.Address();
    server.Stop();
    auto r = RunTool({"--port", address, "connect"}, config.Path(), 3);
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: cannot open " + address + ": the connection to 127.0.0.1:")) << r.err;
    EXPECT_TRUE(Contains(r.err, "was refused")) << r.err;

    r = RunTool({"--port", "rfc2217://127.0.0.1", "connect"}, config.Path(), 2);
    EXPECT_TRUE(Contains(r.err, "names no port")) << r.err;
}

// ser2net locks the device under the path in its configuration and takes no flock: the tool, given
// the same path, still keeps off the port and names the server.
TEST_F(Ser2netCtlTest, APortSer2netServesIsNotOpenedAgainAndTheServerIsNamed) {
    if (::access("/var/lock", W_OK) != 0) GTEST_SKIP() << "ser2net cannot write its locks here";
    const std::string path = config / "cam0";
    Start("KA", [&](vr::sim::SimOptions& o) { o.linkPath = path; });
    std::string error;
    ASSERT_TRUE(server.Start(path, error, {.uucpLocks = true})) << error;
    // ser2net opens and locks the device when a client comes.
    FakePlatform platform;
    vr::link::NetworkLinkDriver client(platform);
    client.SetAddress(server.Address());
    ASSERT_EQ(client.Open(0, 9600), 1) << client.LastError();

    const auto r = RunTool({"--port", path, "get", "GA"}, config.Path(), 3);
    EXPECT_TRUE(Contains(r.err, path + " is in use by process " + std::to_string(server.Pid()) + " (ser2net)"))
        << r.err;
    EXPECT_EQ(camera->LinesHandled(), 0u) << "nothing reached the camera past the server";
}

TEST_F(Ser2netCtlTest, DoctorRemoteReadsTheSignatureAndTimesTheServer) {
    StartBehindServer();
    auto r = RunTool({"doctor", "--remote", server.Address().substr(10)}, config.Path(), 0);
    const Strings lines = Lines(r.out);
    ASSERT_GE(lines.size(), 3u) << r.out;
    EXPECT_EQ(lines[0], "remote " + server.Address() + ": reached, server \"VR-8200 camera port\"");
    EXPECT_TRUE(lines[1].rfind("rate confirmation: ", 0) == 0) << r.out;
    EXPECT_TRUE(lines[2].rfind("camera: VR-8200-KA at 9600 bit/s; a reply takes ", 0) == 0) << r.out;
    EXPECT_EQ(camera->CameraRate(), 9600u) << "the check never moves the camera";

    r = RunTool({"--json", "doctor", "--remote", server.Address()}, config.Path(), 0);
    EXPECT_TRUE(Contains(r.out, "\"reached\":true")) << r.out;
    EXPECT_TRUE(Contains(r.out, "\"camera_rate\":9600")) << r.out;

    server.Stop();
    r = RunTool({"doctor", "--remote", server.Address()}, config.Path(), 3);
    EXPECT_TRUE(Contains(r.out, "was refused")) << r.out;
}

}  // namespace
