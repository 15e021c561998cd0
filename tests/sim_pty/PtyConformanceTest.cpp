// The virtual camera over a real pseudo-terminal, as a program on its serial line meets it.
// Waits for answers are generous; a wait for silence is short, since silence can only get longer on
// a slow machine.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <functional>
#include <thread>

#include "SlavePort.h"
#include "TempDir.h"
#include "sim/CameraReplies.h"
#include "sim/PtyServer.h"

using namespace vr::sim;
using namespace std::chrono_literals;
using vr::sim::test::kNoAnswer;
using vr::sim::test::SlavePort;

extern char** environ;

namespace {

constexpr auto kSilence = 300ms;

struct Server {
    explicit Server(const SimOptions& options = SimOptions()) {
        std::string error;
        EXPECT_TRUE(server.Start(options, &error)) << error;
    }
    PtyServer server;
};

// A running camera and the program's side of its line.
struct Camera : Server {
    explicit Camera(const SimOptions& options = SimOptions(), uint32_t rate = 9600)
        : Server(options), port(server.DevicePath(), rate) {}
    SlavePort port;
};

SimOptions With(const std::function<void(SimOptions&)>& set) {
    SimOptions o;
    set(o);
    return o;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool WaitUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// The camera judges bytes by the rate set when it reads them, so before a test changes the rate
// after sending at a wrong one it waits until the camera has dropped those bytes.
bool Dropped(const PtyServer& server, uint64_t count) {
    return WaitUntil([&] { return server.BytesDroppedForRate() >= count; });
}

}  // namespace

TEST(SimPty, StartsRawAtItsRateWithALinkAndCleansUp) {
    vr::test::TempDir dir;
    SimOptions o;
    o.linkPath = dir / "cam0";
    Server s(o);
    const std::string device = s.server.DevicePath();
    char target[256] = {};
    ASSERT_GT(::readlink(o.linkPath.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), device);
    // A program that opens the port without setting it up meets a raw line at 9600.
    const int fd = ::open(o.linkPath.c_str(), O_RDWR | O_NOCTTY);
    termios t{};
    ASSERT_EQ(::tcgetattr(fd, &t), 0);
    EXPECT_EQ(::cfgetospeed(&t), B9600);
    EXPECT_EQ(t.c_lflag & (ECHO | ICANON), 0u);
    ::close(fd);
    std::string error;
    EXPECT_FALSE(s.server.Start(o, &error)) << "already running";
    s.server.Stop();
    EXPECT_FALSE(Exists(o.linkPath)) << "the link goes with the camera";
    EXPECT_FALSE(Exists(device)) << "and so does the pty";

    dir.WriteFile("plain", "not a link");
    o.linkPath = dir / "plain";
    EXPECT_FALSE(s.server.Start(o, &error));
    EXPECT_NE(error.find("not a symlink"), std::string::npos) << error;
    EXPECT_EQ(dir.ReadFile("plain"), "not a link");
}

// The model's answers have tests of their own; here each model's line goes through the pty,
// including answers that come only when a function that takes time is done.
TEST(SimPty, BothModelsAnswerOverThePtyIncludingLateAnswers) {
    for (const std::string model : {"KA", "KB"}) {
        SimOptions o;
        o.model = model;
        o.awbMs = 100;
        Camera cam(o);
        const std::pair<std::string, std::string> talk[] = {
            {"MD?", "MD=VR-8200-" + model},
            {model == "KA" ? "LROP?" : "PER?", kErrorNotSupported},
            {"NOSUCH?", kErrorUnknownCommand},
            {"GA=3201", kErrorOutOfRange},
            {"GA=3200", kReplyComplete},
            {"GA?", "GA=3200"},
            {"GA=100", kReplyComplete},
            {"AWB=2", kReplyComplete},
            {"AWRS?", "AWRS=1"},
            {"GAR?", "GAR=125"},
        };
        for (const auto& [line, reply] : talk) EXPECT_EQ(cam.port.Ask(line), reply) << model << " " << line;
        EXPECT_EQ(cam.server.Value("GAB"), 80);
    }
}

TEST(SimPty, LineEndsAndNulBytes) {
    Camera cam;
    SlavePort& port = cam.port;
    ASSERT_TRUE(port.Write(std::string(14, '\0') + "MD?\r\n"));
    EXPECT_EQ(port.ReadRawLine(5s), "MD=VR-8200-KA\r\n");
    for (const char* ending : {"\n", "\r", "\r\n\r\n"}) {
        ASSERT_TRUE(port.Write(std::string("GA?") + ending));
        EXPECT_EQ(port.ReadLine(5s), "GA=100");
    }
    EXPECT_EQ(port.ReadLine(kSilence), kNoAnswer) << "empty lines get no answer";
    // A NUL inside a line is dropped; two lines in one write get two answers, half a line none yet.
    ASSERT_TRUE(port.Write(std::string("G") + '\0' + "A?\nMD?\r\nLR"));
    EXPECT_EQ(port.ReadLine(5s), "GA=100");
    EXPECT_EQ(port.ReadLine(5s), "MD=VR-8200-KA");
    EXPECT_EQ(port.ReadLine(kSilence), kNoAnswer);
    ASSERT_TRUE(port.Write("?\r"));
    EXPECT_EQ(port.ReadLine(5s), "LR=20000");
}

TEST(SimPty, OnlyTheCamerasRateIsHeardAndCbdrtSwitchesAfterItsAnswer) {
    Camera cam(With([](SimOptions& o) { o.resetMs = 300; }), 115200);
    SlavePort& port = cam.port;
    const PtyServer& server = cam.server;
    EXPECT_EQ(port.Ask("MD?", kSilence), kNoAnswer);
    ASSERT_TRUE(Dropped(server, 5));
    ASSERT_TRUE(port.Write("MD"));  // half a line at a wrong rate spoils the line
    ASSERT_TRUE(Dropped(server, 7));
    ASSERT_TRUE(port.SetRate(9600));
    EXPECT_EQ(port.Ask("?"), kErrorUnknownCommand);

    EXPECT_EQ(port.Ask("CBDRT=16"), kReplyComplete);
    EXPECT_EQ(server.CameraRate(), 115200u);
    EXPECT_EQ(port.Ask("MD?", kSilence), kNoAnswer);
    ASSERT_TRUE(Dropped(server, 12));
    ASSERT_TRUE(port.SetRate(115200));
    EXPECT_EQ(port.Ask("CBDRT=16"), kReplyComplete) << "the tool's second switch, at the new rate";
    EXPECT_EQ(port.Ask("GA=500"), kReplyComplete);

    EXPECT_EQ(port.Ask("CRS00=1"), kReplyComplete);
    ASSERT_TRUE(port.SetRate(9600));
    std::string reply;
    EXPECT_TRUE(WaitUntil([&] { return (reply = port.Ask("GA?", 200ms)) != kNoAnswer; }));
    EXPECT_EQ(reply, "GA=100") << "back at 9600 with the boot area";

    Camera fast(With([](SimOptions& o) { o.startRate = 57600; }));
    EXPECT_EQ(fast.port.Ask("MD?", kSilence), kNoAnswer);
    ASSERT_TRUE(Dropped(fast.server, 5));
    ASSERT_TRUE(fast.port.SetRate(57600));
    EXPECT_EQ(fast.port.Ask("MD?"), "MD=VR-8200-KA");
}

TEST(SimPty, TheStateFileKeepsAreasAndIdentity) {
    vr::test::TempDir dir;
    SimOptions o;
    o.stateFile = dir / "camera.state";
    {
        Camera cam(o);
        for (const char* line : {"GA=444", "SA=2", "UD=bench-7", "GA=555"})
            EXPECT_EQ(cam.port.Ask(line), kReplyComplete);
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_EQ(entry.path().filename(), "camera.state") << "no temporary file is left behind";
    {
        Camera cam(o);
        EXPECT_EQ(cam.port.Ask("GA?"), "GA=100") << "booted from the factory area";
        EXPECT_EQ(cam.port.Ask("UD?"), "UD=bench-7");
        EXPECT_EQ(cam.port.Ask("LD=2"), kReplyComplete);
        EXPECT_EQ(cam.port.Ask("GA?"), "GA=444");
    }
    dir.WriteFile("camera.state", "garbage\n");
    PtyServer broken;
    std::string error;
    EXPECT_FALSE(broken.Start(o, &error));
    EXPECT_NE(error.find("camera.state"), std::string::npos) << error;
}

// The switches that act on the line, as far as the tool's runs in test_faults cannot see them (a
// silent or slow camera is run there); those of the model are tested with the model.
TEST(SimPty, NoiseAndHangUpSwitchesActOnTheLine) {
    {
        Camera cam(With([](SimOptions& o) { o.noisePerMille = 1000; }));
        EXPECT_NE(cam.port.Ask("MD?", kSilence), "MD=VR-8200-KA") << "a bit flipped in every byte";
    }
    Camera cam(With([](SimOptions& o) { o.hangupAfter = 2; }));
    const std::string device = cam.server.DevicePath();
    EXPECT_EQ(cam.port.Ask("MD?"), "MD=VR-8200-KA");
    EXPECT_EQ(cam.port.Ask("GA?"), "GA=100") << "the last answer is read before the hang-up";
    EXPECT_TRUE(cam.port.HungUp(5s));
    EXPECT_TRUE(WaitUntil([&] { return cam.server.HungUp(); }));
    EXPECT_FALSE(Exists(device)) << "like an adapter pulled out";
}

TEST(SimPty, PacedAnswersTakeAtLeastTheirWireTime) {
    Camera cam(With([](SimOptions& o) { o.pace = true; }));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(cam.port.Ask("MD?"), "MD=VR-8200-KA");
    // "MD?" and its CR in (the camera answers at the CR, while the LF is still arriving), then
    // "MD=VR-8200-KA" CR LF out: 19 bytes of 10 bits at 9600 bit/s.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::microseconds(19 * 10 * 1'000'000 / 9600));
}

TEST(SimPty, TheProgramPrintsItsDeviceAndStopsCleanlyOnSigterm) {
    vr::test::TempDir dir;
    const std::string link = dir / "cam0";
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string args[] = {VR8200_SIM_EXE, "--model", "KB", "--link", link};
    char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(), args[4].data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string first;
    for (char c; ::read(out[0], &c, 1) == 1 && c != '\n';) first += c;
    EXPECT_EQ(first.rfind("/dev/pts/", 0), 0u) << first;
    {
        SlavePort port(link);
        EXPECT_EQ(port.Ask("MD?"), "MD=VR-8200-KB");
    }
    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ::close(out[0]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(Exists(link));
}
