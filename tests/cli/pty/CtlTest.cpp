// vr8200ctl's dump, connect, set, get and send over a pty: usage errors, a missing camera, refusals,
// Ctrl-C and the remembered rate. Silence, hang-ups, late and odd replies are tests/faults'.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <regex>

#include "RunTool.h"

using namespace vr::test;
using CtlTest = CtlFixture;

// The rows of each model are tests/tables'; here that dump passes factory mode on for this run only.
TEST_F(CtlTest, DumpPrintsEveryRowTheModelHas) {
    const auto r = RunTool({"--factory", "--simulate", "KA", "dump"}, config.Path(), 0);
    const auto lines = Lines(r.out);
    EXPECT_EQ(lines.size(), 178u);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "WTC=4096"), 1) << "the camera's image width";
    for (const auto& line : lines) EXPECT_TRUE(Contains(line, "=")) << line;
    // The factory run did not leave factory mode stored for the operator.
    EXPECT_EQ(Lines(RunTool({"--simulate", "KA", "dump"}, config.Path()).out).size(), 146u);
}

TEST_F(CtlTest, SetChangesTheCameraAndStopsAtTheFirstRefusal) {
    Start();
    auto r = Run({"set", "GA=400", "UD=line 3 left"}, 0);
    EXPECT_EQ(camera->Value("GA"), 400);
    EXPECT_EQ(camera->QueryValue("UD"), "line 3 left");

    Start("KA", [](auto& o) { o.refuse = {"BLR"}; });
    r = Run({"set", "GA=500", "BLR=3", "BL=3"}, 1);
    EXPECT_EQ(camera->Value("GA"), 500);
    EXPECT_TRUE(Contains(r.err, "Communication Error: ERROR: Refused")) << r.err;
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: the camera answered \"ERROR: Refused\" to BLR=3")) << r.err;
    EXPECT_FALSE(Has(Sent(r.err), "BL=3")) << "nothing is sent after a refusal";

    EXPECT_EQ(Run({"--json", "get", "GA", "MD"}, 0).out, "{\"GA\":500,\"MD\":\"VR-8200-KA\"}\n");
    // A name asked twice is one key: a JSON object holds each key once.
    EXPECT_EQ(Run({"--json", "get", "GA", "MD", "GA"}, 0).out, "{\"GA\":500,\"MD\":\"VR-8200-KA\"}\n");

    // A factory setting is written in factory mode, as the factory page writes it.
    Run({"--factory", "set", "GAORA=9000"}, 0);
    EXPECT_EQ(camera->Value("GAORA"), 9000);
}

// Every command's usage errors: exit 2, nothing on stdout, nothing sent, and a printable message.
// Out-of-range values, one-push starts and texts holding CR LF in "set" are the fault matrix's.
TEST_F(CtlTest, UsageErrorsExitWithTwoBeforeTouchingTheLine) {
    const auto check = [&](const Strings& before, const Strings& command, const std::string& message = "") {
        SCOPED_TRACE(command.empty() ? "(none)" : command.back());
        Strings args = {"--trace"};
        args.insert(args.end(), before.begin(), before.end());
        args.insert(args.end(), command.begin(), command.end());
        const auto r = RunTool(args, config.Path(), 2);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_FALSE(Contains(r.err, "Tx: ")) << r.err;
        EXPECT_FALSE(Contains(r.err, "\x1b")) << "messages are printable";
        EXPECT_TRUE(Contains(r.err, message)) << r.err;
    };
    const std::string curve = config / "g.csv";
    // Related cases share a line: on a camera of the run ("\x1b[2J" is a terminal's escape), what needs
    // factory mode or a Yes, texts and versions of the wrong shape (the rules' others are tests/identity's).
    // clang-format off
    const std::vector<Strings> bare = {
        {}, {"frobnicate"}, {"lut", "curve", curve} /* no --points */, {"--rate", "1234", "connect"},
        {"--link", "usb", "connect"}, {"--port", "", "connect"}, {"--config-dir", "", "--simulate", "KA", "connect"},
        {"--rate", "0x1c200", "connect"}, {"--port-index", "1e0", "connect"}};
    const std::vector<Strings> onKA = {
        {"get", "NOPE"}, {"get", "G\x1b[2J"}, {"set", "GA"}, {"set", "GA=12abc"}, {"set", "GA=4294967296"},
        {"send", "GA?\r\nCRS00=1"}, {"onepush", "white"}, {"onepush"}, {"xml-version", "1000"}, {"xml-version", "12x"},
        {"store-area", "0"}, {"--yes", "store-all"}, {"write-model", "KB"}, {"onepush", "factory-pixel-gain"},
        {"set-camera-id", "ABC"}, {"set-device-version", "1.2.3.4"}, {"reset"}, {"xml-version", "5"},
        {"set", "UD=" + std::string(65, 'u')},
        // Numbers are whole decimals: CLI11 alone took "0x1" for 1, and the tool then sent 0.
        {"load-area", "0x1"}, {"store-area", "+2"}, {"store-area", " 2"}, {"send", "GA?", "--wait", "0x10"},
        // set and send keep the factory rule of store-area 0, set-camera-id and write-model.
        {"set", "SA00=0"}, {"set", "ULCK=6182057", "ID00=999"}, {"set", "MD00=VR-8200-KB"}, {"set", "GAORA=9000"},
        {"send", "sa00 = 0"}, {"send", "ULCK=6182057"},
        // A text the camera's answer would cut at its comma is never written.
        {"set", "UD=line 3, left"}};
    const std::vector<Strings> factory = {
        {"store-all"}, {"set-camera-id", ""}, {"set-camera-id", "ABCDEFGHIJK"}, {"set-camera-id", "AB\nC"},
        {"set-device-version", "1.2.3"}, {"set-device-version", "12.3.4.5"}, {"set-device-version", "1.2.3."},
        {"store-area", "0x2"}, {"xml-version", "0x64"}, {"set", "ID00=ABCDEFGHIJK"}, {"set", "DV00=1.2"},
        {"set-camera-id", "AB,C"}, {"set-device-version", "1.,.3.4"}};
    // clang-format on
    for (const Strings& command : bare) check({}, command);
    for (const Strings& command : onKA) check({"--simulate", "KA"}, command);
    for (const Strings& command : factory) check({"--factory", "--simulate", "KA"}, command);
    check({"--simulate", "KA"}, {"set-user-id", "a\r\nGA=100"},
          "VR-8200 Control Tool: The user ID must not contain control characters.");
    check({"--simulate", "KA"}, {"set-user-id", "line 3, left"},
          "VR-8200 Control Tool: The user ID must not contain a comma: the camera's answer would end the ID there.");
    const std::string points17 = "0,1 1,1 2,1 3,1 4,1 5,1 6,1 7,1 8,1 9,1 10,1 11,1 12,1 13,1 14,1 15,1 16,1";
    for (const auto& [points, message] : std::vector<std::pair<std::string, std::string>>{
             {"0,256 12;40 256,0", "point 2 \"12;40\" is not X,Y"},
             {"0,256 256,0 257,0", "point 3 \"257,0\" lies outside the plot"},
             {"0,256 200,10 100,50", "point 3 \"100,50\" lies left of the point before it"},
             {"0,256", "1 points given; a curve has 2 to 16"},
             {points17, "17 points given; a curve has 2 to 16"}})
        check({}, {"lut", "curve", curve, "--points", points}, message);
    EXPECT_EQ(RunTool({"--help"}, config.Path()).exitCode, 0);
}

// A settings folder that is a file is told about once and left as it is; the run goes on with the defaults.
TEST_F(CtlTest, AConfigDirThatIsNoFolderIsSaidAndLeftAlone) {
    config.WriteFile("plain", "mine");
    const auto r = RunTool({"--simulate", "KA", "area"}, config / "plain", 0);
    EXPECT_EQ(r.out, "area=0\n");
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: " + config / "plain" +
                                    " is not a folder; the stored settings are not used and nothing is saved.\n"))
        << r.err;
    EXPECT_EQ(config.ReadFile("plain"), "mine");
}

// A camera that does not answer is the fault matrix's (connect_silent).
TEST_F(CtlTest, NoPortExitsWithThree) {
    auto r = RunTool({"--port", config / "no-such-device", "connect"}, config.Path(), 3);
    EXPECT_EQ(r.err, "vr8200ctl: cannot open " + (config / "no-such-device") +
                         ": Error in open(): No such file or directory\n")
        << "one failed open, one line";

    // The stored adapter unplugged: named as stored, and kept, whatever port has its number now.
    const std::string unplugged = config / "ttyUSB7";
    config.WriteFile("settings.ini", "[VR-8200 Control Tool]\nCom Port No=0\nCom Port Device=" + unplugged + "\n");
    r = RunTool({"connect"}, config.Path(), 3);
    EXPECT_EQ(r.err, "vr8200ctl: cannot open " + unplugged + ": " + unplugged +
                         " is not present; plug in the adapter or choose another port\n");
    EXPECT_TRUE(Contains(config.ReadFile("settings.ini"), "Com Port Device=" + unplugged + "\n"));
}

// A send that gets no reply is the fault matrix's (send_no_reply).
TEST_F(CtlTest, SendWritesOneLineAndListsTheReplies) {
    Start();
    const auto r = Run({"send", "GA?", "--wait", "300"}, 0);
    EXPECT_EQ(r.out, "GA=100\n");
    EXPECT_EQ(Sent(r.err), Strings{"GA?"}) << "no start-up sequence";
    EXPECT_TRUE(Contains(r.err, "Rx: GA=100"));

    // After a run that left the camera at 115200, send opens there too, as every other run does.
    Run({"set", "GA=400"}, 0);
    EXPECT_EQ(Run({"send", "GA?", "--wait", "300"}, 0).out, "GA=400\n");
}

// set follows a rate change it makes: the sets after "CBDRT" go at the camera's new rate.
TEST_F(CtlTest, SetFollowsTheRateItChanges) {
    Start();
    Run({"set", "CBDRT=1", "GA=401"}, 0);
    EXPECT_EQ(camera->CameraRate(), 9600u);
    EXPECT_EQ(camera->Value("GA"), 401);
    EXPECT_EQ(Run({"send", "GA?", "--wait", "300"}, 0).out, "GA=401\n") << "the next run knows where the camera is";
}

// A camera whose model the tool does not know: nothing was read, and dump says so.
TEST_F(CtlTest, DumpOfAnUnsupportedModelSaysSo) {
    Start();
    Run({"--factory", "set", "MD00=XYZ"}, 0);
    const auto r = Run({"dump"}, 1);
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: the camera's model \"XYZ\" is not supported; its settings were not read"))
        << r.err;
    EXPECT_TRUE(r.out.empty());
}

// Ctrl-C in a dump: the command on the wire is answered, the read stops, what was read is printed.
TEST_F(CtlTest, CtrlCStopsADumpBetweenTwoCommands) {
    Start("KA", [](auto& o) { o.slowMs = 40; });
    const auto r = RunTool({"--port", camera->DevicePath(), "--trace", "dump"}, config.Path(), 130,
                           std::chrono::milliseconds(2500));
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

// SIGTERM and SIGHUP stop a load as Ctrl-C does: between two lines, with what was done said; the
// exit status is the one a shell gives a program the signal ended.
TEST_F(CtlTest, TermHangUpAndCtrlCStopALoadBetweenTwoLines) {
    Start("KA", [](auto& o) { o.slowMs = 30; });
    std::string text;
    for (int i = 0; i < 60; ++i) text += "BL=" + std::to_string(i % 8) + "\r\n";
    config.WriteFile("in.cam", text);
    for (const auto& [signal, exitCode] : {std::pair{SIGTERM, 143}, std::pair{SIGHUP, 129}, std::pair{SIGINT, 130}}) {
        SCOPED_TRACE(strsignal(signal));
        const uint64_t before = camera->LinesHandled();
        const auto r = RunToolSignalled(
            {"--port", camera->DevicePath(), "--trace", "load", config / "in.cam"}, config.Path(),
            [&] { return camera->LinesHandled() >= before + 12; }, signal, exitCode);
        std::smatch m;
        ASSERT_TRUE(
            std::regex_search(r.err, m, std::regex("VR-8200 Control Tool: Stopped after (\\d+) of 60 lines\\.")))
            << r.err;
        EXPECT_LT(std::stoi(m[1]), 60);
        std::string last;
        for (const auto& line : Lines(r.err))
            if (Contains(line, "Tx: ") || Contains(line, "Rx: ")) last = line;
        EXPECT_TRUE(Contains(last, "Rx: ")) << "the line on the wire was answered first: " << last;
    }
}

// A Ctrl-C that comes while the last set waits for its answer stops nothing: the set is done and
// the run succeeded.
TEST_F(CtlTest, CtrlCAfterTheLastCommandWentOutLeavesASuccess) {
    Start("KA", [](auto& o) { o.delayReplyMs = {{"GA", 1500}}; });
    // MD?, EA?, CBDRT=16 twice, then GA=400 waits for its answer.
    const auto r = RunToolSignalled(
        {"--port", camera->DevicePath(), "set", "GA=400"}, config.Path(), [&] { return camera->LinesHandled() >= 5; },
        SIGINT, 0);
    EXPECT_EQ(camera->Value("GA"), 400);
}

// A program that has the port open without locking it takes replies unseen: the tool names it when
// it opens the port, once however often the start-up opens it again.
TEST_F(CtlTest, AProgramHoldingThePortIsNamedWhenTheToolOpensIt) {
    Start();
    const int held = ::open(camera->DevicePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    const auto r = Run({"get", "GA"}, 0);
    ::close(held);
    const std::string note = "VR-8200 Control Tool: " + camera->DevicePath() + " is also open in process " +
                             std::to_string(::getpid()) + " (";
    EXPECT_TRUE(Contains(r.err, note)) << r.err;
    EXPECT_EQ(r.err.find(note), r.err.rfind(note)) << "said once";
    EXPECT_FALSE(Contains(Run({"--rate", "115200", "get", "GA"}, 0).err, "is also open")) << "nobody holds it now";
}

// The rate the tool left the camera at is remembered per port and probed first the next time.
// The first run raises the line from wherever the camera is: 57600 here, 9600 in every other test.
TEST_F(CtlTest, ConnectRaisesTheLineAndTheRateIsRememberedPerPort) {
    Start("KA", [](auto& o) { o.startRate = 57600; });
    auto r = Run({"connect"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), (Strings{"model=VR-8200-KA", "rate=115200", "area=0"}));
    EXPECT_EQ(camera->CameraRate(), 115200u);
    const auto sent = Sent(r.err);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "MD?");
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "CBDRT=16"), 2) << "once at the old rate, once at the new";
    EXPECT_FALSE(Contains(r.err, "probing there first")) << "nothing was remembered yet";
    EXPECT_TRUE(Contains(r.err, "Note: the camera is left at 115200 bit/s")) << r.err;
    EXPECT_TRUE(Contains(config.ReadFile("settings.ini"), "Camera Rate=115200"));
    EXPECT_TRUE(Contains(config.ReadFile("settings.ini"), "Camera Rate Port=" + camera->DevicePath()));

    const uint64_t dropped = camera->BytesDroppedForRate();
    r = Run({"get", "GA"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), Strings{"GA=100"});
    EXPECT_TRUE(Contains(r.err, "Note: the last run left the camera at 115200 bit/s: probing there first")) << r.err;
    EXPECT_FALSE(Contains(r.err, "full rate search")) << r.err;
    EXPECT_EQ(camera->BytesDroppedForRate(), dropped) << "something went out at a rate the camera was not at";

    // 57600 is a rate the camera is not at; 1234 is no rate at all and is not even tried.
    for (const auto& [stored, probed] : {std::pair{"57600", true}, std::pair{"1234", false}}) {
        SCOPED_TRACE(stored);
        config.WriteFile("settings.ini",
                         std::regex_replace(config.ReadFile("settings.ini"), std::regex("Camera Rate=[0-9]+"),
                                            std::string("Camera Rate=") + stored));
        r = Run({"connect"}, 0);
        EXPECT_EQ(Lines(r.out), (Strings{"model=VR-8200-KA", "rate=115200", "area=0"}));
        EXPECT_EQ(Contains(r.err, "no answer at 57600 bit/s: the full rate search follows"), probed) << r.err;
        EXPECT_EQ(camera->CameraRate(), 115200u);
        EXPECT_TRUE(Contains(config.ReadFile("settings.ini"), "Camera Rate=115200")) << "remembered again";
    }

    // Another port: what was remembered for the first one is not tried there.
    auto other = StartCamera();
    r = RunTool({"--port", other->DevicePath(), "--trace", "connect"}, config.Path(), 0);
    EXPECT_FALSE(Contains(r.err, "probing there first")) << r.err;
    // A virtual camera of the run starts at 9600 every time: nothing is tried or stored for it.
    r = RunTool({"--simulate", "KB", "--trace", "connect"}, config.Path(), 0);
    EXPECT_FALSE(Contains(r.err, "probing there first")) << r.err;
    EXPECT_FALSE(Contains(r.err, "the camera is left at")) << r.err;
}
