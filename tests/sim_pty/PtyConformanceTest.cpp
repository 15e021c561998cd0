// The virtual camera over a real pseudo-terminal, as a program on its serial line meets it.
// Waits for answers are generous; a wait for silence is short, since silence can only get longer on
// a slow machine.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <thread>

#include "SlavePort.h"
#include "TempDir.h"
#include "sim/CameraReplies.h"
#include "sim/PtyServer.h"

using namespace vr::sim;
using namespace std::chrono_literals;
using vr::sim::test::SlavePort;

extern char** environ;

namespace {

constexpr auto kSilence = 300ms;
const std::string kNoAnswer = "<no answer>";

struct Server {
    explicit Server(const SimOptions& options = SimOptions()) {
        std::string error;
        started = server.Start(options, &error);
        EXPECT_TRUE(started) << error;
    }
    PtyServer server;
    bool started = false;
};

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::seconds limit = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// The camera judges bytes by the rate set when it reads them, so a test that changes the rate right
// after sending at the wrong one first waits until the camera has dropped those bytes.
bool Dropped(const PtyServer& server, uint64_t count) {
    return WaitUntil([&] { return server.BytesDroppedForRate() >= count; });
}

// Asks until the camera answers; for a camera that comes back after a while.
std::string AskUntilAnswered(SlavePort& port, const std::string& line, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        auto reply = port.Ask(line, 200ms);
        if (reply != kNoAnswer) return reply;
    }
    return kNoAnswer;
}

}  // namespace

TEST(SimPty, StartsRawAtItsRateWithALinkAndCleansUp) {
    vr::test::TempDir dir;
    SimOptions o;
    o.linkPath = dir / "cam0";
    std::string device;
    {
        Server s(o);
        ASSERT_TRUE(s.started);
        device = s.server.DevicePath();
        EXPECT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;
        char target[256] = {};
        ASSERT_GT(::readlink(o.linkPath.c_str(), target, sizeof target - 1), 0);
        EXPECT_EQ(std::string(target), device);

        // A program that opens the port without setting it up meets a raw line at 9600.
        const int fd = ::open(o.linkPath.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        termios t{};
        ASSERT_EQ(::tcgetattr(fd, &t), 0);
        EXPECT_EQ(::cfgetospeed(&t), B9600);
        EXPECT_EQ(t.c_lflag & (ECHO | ICANON), 0u);
        ::close(fd);

        std::string error;
        EXPECT_FALSE(s.server.Start(o, &error));
        EXPECT_NE(error.find("already running"), std::string::npos) << error;
        s.server.Stop();
        EXPECT_FALSE(s.server.Running());
        EXPECT_FALSE(Exists(o.linkPath)) << "the link goes with the camera";
        EXPECT_FALSE(Exists(device)) << "the pty goes too";
    }

    dir.WriteFile("plain", "not a link");
    PtyServer server;
    std::string error;
    o.linkPath = dir / "plain";
    EXPECT_FALSE(server.Start(o, &error));
    EXPECT_NE(error.find("not a symlink"), std::string::npos) << error;
    EXPECT_EQ(dir.ReadFile("plain"), "not a link");
    o.linkPath.clear();
    o.model = "KC";
    EXPECT_FALSE(server.Start(o, &error));
    EXPECT_NE(error.find("KA or KB"), std::string::npos);
}

TEST(SimPty, AnswersIdentityRangesAndModelListsOverTheLine) {
    for (const char* model : {"KA", "KB"}) {
        SimOptions o;
        o.model = model;
        Server s(o);
        SlavePort port(s.server.DevicePath());
        ASSERT_TRUE(port.IsOpen());
        EXPECT_EQ(port.Ask("MD?"), std::string("MD=VR-8200-") + model);
        EXPECT_EQ(port.Ask("VN?"), "VN=3.1.0.2");
        EXPECT_EQ(port.Ask("GA=3201"), kErrorOutOfRange);
        EXPECT_EQ(port.Ask("GA=3200"), kReplyComplete);
        EXPECT_EQ(port.Ask("GA?"), "GA=3200");
        EXPECT_EQ(port.Ask("NOSUCH?"), kErrorUnknownCommand);
        EXPECT_EQ(port.Ask(std::string(model) == "KA" ? "LROP?" : "PER?"), kErrorNotSupported);
        EXPECT_EQ(s.server.Value("GA"), 3200);
        EXPECT_EQ(s.server.ModelName(), std::string("VR-8200-") + model);
    }
}

TEST(SimPty, LineEndsAndNulBytesBetweenLines) {
    Server s;
    SlavePort port(s.server.DevicePath());
    ASSERT_TRUE(port.Write(std::string(14, '\0')));
    EXPECT_EQ(port.Ask(std::string("\0\0MD?", 5)), "MD=VR-8200-KA");
    ASSERT_TRUE(port.Write("GA?\n"));
    EXPECT_EQ(port.ReadLine(5s), "GA=100") << "LF alone ends a line";
    ASSERT_TRUE(port.Write("GA?\r"));
    EXPECT_EQ(port.ReadLine(5s), "GA=100") << "CR alone, as a terminal sends it";
    ASSERT_TRUE(port.Write("\r\n\r\n"));
    EXPECT_EQ(port.Drain(kSilence), "") << "empty lines get no answer";
    ASSERT_TRUE(port.Write("GA?\r\n"));
    EXPECT_EQ(port.ReadLine(5s, true), "GA=100\r\n") << "answers end with CR LF";
}

TEST(SimPty, BytesAtAnotherRateAreNotHeard) {
    Server s;
    SlavePort port(s.server.DevicePath(), 115200);
    EXPECT_EQ(port.Ask("MD?", kSilence), kNoAnswer);
    ASSERT_TRUE(Dropped(s.server, 5));
    // Half a line at a wrong rate spoils the line: the rest alone is no command.
    ASSERT_TRUE(port.Write("MD"));
    ASSERT_TRUE(Dropped(s.server, 7));
    ASSERT_TRUE(port.SetRate(9600));
    EXPECT_EQ(port.Ask("?"), kErrorUnknownCommand);
    EXPECT_EQ(port.Ask("MD?"), "MD=VR-8200-KA");
    EXPECT_EQ(s.server.LinesHandled(), 2u);
}

TEST(SimPty, RateSwitchAnswersAtTheOldRateAndResetComesBackAt9600) {
    SimOptions o;
    o.resetMs = 300;
    Server s(o);
    SlavePort port(s.server.DevicePath());
    EXPECT_EQ(port.Ask("CBDRT=16"), kReplyComplete);
    EXPECT_EQ(s.server.CameraRate(), 115200u);
    EXPECT_EQ(port.Ask("MD?", kSilence), kNoAnswer);
    ASSERT_TRUE(Dropped(s.server, 5));
    ASSERT_TRUE(port.SetRate(115200));
    EXPECT_EQ(port.Ask("CBDRT=16"), kReplyComplete) << "the tool's second switch at the new rate";
    EXPECT_EQ(port.Ask("MD?"), "MD=VR-8200-KA");
    EXPECT_EQ(port.Ask("GA=500"), kReplyComplete);

    EXPECT_EQ(port.Ask("CRS00=1"), kReplyComplete);
    ASSERT_TRUE(port.SetRate(9600));
    EXPECT_EQ(AskUntilAnswered(port, "GA?", 10s), "GA=100") << "back at 9600 with the boot area";
    EXPECT_EQ(s.server.CameraRate(), 9600u);

    SimOptions fast;
    fast.startRate = 57600;
    Server started(fast);
    SlavePort other(started.server.DevicePath(), 9600);
    EXPECT_EQ(other.Ask("MD?", kSilence), kNoAnswer);
    ASSERT_TRUE(Dropped(started.server, 5));
    ASSERT_TRUE(other.SetRate(57600));
    EXPECT_EQ(other.Ask("MD?"), "MD=VR-8200-KA");
}

TEST(SimPty, AreasAndIdentityPersistInTheStateFile) {
    vr::test::TempDir dir;
    SimOptions o;
    o.stateFile = dir / "camera.state";
    o.areaMs = 0;
    {
        Server s(o);
        SlavePort port(s.server.DevicePath());
        EXPECT_EQ(port.Ask("GA=444"), kReplyComplete);
        EXPECT_EQ(port.Ask("SA=2"), kReplyComplete);
        EXPECT_EQ(port.Ask("EA?"), "EA=2");
        EXPECT_EQ(port.Ask("UD=bench-7"), kReplyComplete);
        EXPECT_EQ(port.Ask("GA=555"), kReplyComplete);
        EXPECT_EQ(s.server.LastError(), "");
    }
    ASSERT_NE(dir.ReadFile("camera.state").find("user-id=bench-7"), std::string::npos);
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_EQ(entry.path().filename(), "camera.state") << "no temporary file is left behind";
    {
        Server s(o);
        SlavePort port(s.server.DevicePath());
        EXPECT_EQ(port.Ask("GA?"), "GA=100") << "booted from the factory area";
        EXPECT_EQ(port.Ask("UD?"), "UD=bench-7");
        EXPECT_EQ(port.Ask("LD=2"), kReplyComplete);
        EXPECT_EQ(port.Ask("GA?"), "GA=444");
        EXPECT_EQ(port.Ask("EA?"), "EA=2");
    }
    dir.WriteFile("camera.state", "garbage\n");
    PtyServer broken;
    std::string error;
    EXPECT_FALSE(broken.Start(o, &error));
    EXPECT_NE(error.find("camera.state"), std::string::npos) << error;
}

TEST(SimPty, LutAndShadingEntriesRoundTrip) {
    Server s;
    SlavePort port(s.server.DevicePath());
    for (const char* c : {"R", "G", "B"}) {
        const std::string index = std::string("LUTI") + c, data = std::string("LUT") + c;
        EXPECT_EQ(port.Ask(index + "=200"), kReplyComplete);
        EXPECT_EQ(port.Ask(data + "=" + std::to_string(3000 + c[0])), kReplyComplete);
        EXPECT_EQ(port.Ask(index + "=201"), kReplyComplete);
        EXPECT_EQ(port.Ask(data + "?"), data + "=3216");
        EXPECT_EQ(port.Ask(index + "=200"), kReplyComplete);
        EXPECT_EQ(port.Ask(data + "?"), data + "=" + std::to_string(3000 + c[0]));
    }
    for (int plane = 0; plane < 3; ++plane) {
        EXPECT_EQ(port.Ask("SDDS=" + std::to_string(plane)), kReplyComplete);
        for (int entry : {1, 512, 1024}) {
            EXPECT_EQ(port.Ask("SDDI=" + std::to_string(entry)), kReplyComplete);
            EXPECT_EQ(port.Ask("SDD=" + std::to_string(plane * 2000 + entry)), kReplyComplete);
        }
    }
    EXPECT_EQ(port.Ask("SDDU=0"), kReplyComplete);
    EXPECT_EQ(port.Ask("SDDS=2"), kReplyComplete);
    EXPECT_EQ(port.Ask("SDDI=512"), kReplyComplete);
    EXPECT_EQ(port.Ask("SDD?"), "SDD=4512");
    s.server.Inspect([](const VirtualCamera& c) { EXPECT_EQ(c.ShadingEntry(0, 1, 0), 2001); });
}

TEST(SimPty, OnePushFunctionsCompleteLaterAndLeaveTheirCodes) {
    SimOptions o;
    o.awbMs = 200;
    o.recalibrateMs = 600000;  // busy for the whole test
    Server s(o);
    SlavePort port(s.server.DevicePath());
    EXPECT_EQ(port.Ask("AWB=2"), kReplyComplete);
    EXPECT_EQ(port.Ask("AWRS?"), "AWRS=1");
    EXPECT_EQ(port.Ask("GAR?"), "GAR=125");
    EXPECT_EQ(port.Ask("PGR=0"), kReplyComplete);
    EXPECT_EQ(port.Ask("PGS?"), "PGS=0") << "busy";

    SimOptions quick;
    quick.recalibrateMs = 100;
    quick.pixelBlackResult = 3;
    Server q(quick);
    SlavePort other(q.server.DevicePath());
    EXPECT_EQ(other.Ask("PBR=0"), kReplyComplete);
    std::string status = "PBS=0";
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (status == "PBS=0" && std::chrono::steady_clock::now() < deadline) status = other.Ask("PBS?");
    EXPECT_EQ(status, "PBS=3") << "the forced code once the recalibration is done";
}

TEST(SimPty, FaultSwitches) {
    {
        SimOptions o;
        o.silent = true;
        Server s(o);
        SlavePort port(s.server.DevicePath());
        EXPECT_EQ(port.Ask("MD?", kSilence), kNoAnswer);
        EXPECT_EQ(s.server.LinesHandled(), 0u);
    }
    {
        SimOptions o;
        o.refuse = {"GA"};
        Server s(o);
        SlavePort port(s.server.DevicePath());
        EXPECT_EQ(port.Ask("GA=200"), kErrorRefused);
        EXPECT_EQ(port.Ask("GA?"), "GA=100");
    }
    {
        SimOptions o;
        o.slowMs = 400;
        Server s(o);
        SlavePort port(s.server.DevicePath());
        EXPECT_EQ(port.Ask("MD?", 100ms), kNoAnswer) << "the answer is held back";
        EXPECT_EQ(port.ReadLine(5s), "MD=VR-8200-KA");
    }
    {
        SimOptions o;
        o.noisePerMille = 1000;  // every byte hit
        Server s(o);
        SlavePort port(s.server.DevicePath());
        const std::string heard = port.Ask("MD?", kSilence);
        EXPECT_NE(heard, "MD=VR-8200-KA") << "a flipped bit in every byte leaves no command intact";
    }
    {
        SimOptions o;
        o.overlong = true;
        Server s(o);
        SlavePort port(s.server.DevicePath());
        const std::string first = port.Ask("GA?");
        EXPECT_GT(first.size(), 1024u);
        EXPECT_EQ(first.rfind("GA=100,", 0), 0u);
        EXPECT_EQ(port.Ask("GA?"), "GA=100");
    }
    {
        SimOptions o;
        o.hangupAfter = 2;
        Server s(o);
        const std::string device = s.server.DevicePath();
        SlavePort port(device);
        EXPECT_EQ(port.Ask("MD?"), "MD=VR-8200-KA");
        EXPECT_EQ(port.Ask("GA?"), "GA=100");
        EXPECT_TRUE(port.HungUp(5s)) << "the line is gone after the second answer";
        EXPECT_TRUE(WaitUntil([&] { return s.server.HungUp(); }));
        EXPECT_FALSE(Exists(device)) << "like an adapter pulled out";
    }
}

TEST(SimPty, PacedRepliesTakeAtLeastTheirWireTime) {
    SimOptions o;
    o.pace = true;
    Server s(o);
    SlavePort port(s.server.DevicePath());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port.Ask("MD?"), "MD=VR-8200-KA");
    const auto took = std::chrono::steady_clock::now() - start;
    // "MD?" CR in (the camera answers at the CR; the LF arrives while the answer goes out) and
    // "MD=VR-8200-KA" CR LF out: 19 bytes of 10 bits at 9600 bit/s.
    EXPECT_GE(took, std::chrono::microseconds(19 * 10 * 1'000'000 / 9600));
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
    const std::string exe = VR8200_SIM_EXE;
    std::vector<std::string> args = {exe, "--model", "KB", "--link", link};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);

    std::string first;
    char c;
    while (::read(out[0], &c, 1) == 1 && c != '\n') first += c;
    EXPECT_EQ(first.rfind("/dev/pts/", 0), 0u) << first;
    {
        SlavePort port(link);
        ASSERT_TRUE(port.IsOpen());
        EXPECT_EQ(port.Ask("MD?"), "MD=VR-8200-KB");
    }
    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ::close(out[0]);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(Exists(link));
}
