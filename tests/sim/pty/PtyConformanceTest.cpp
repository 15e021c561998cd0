// The camera over a real pty, as a program on its line meets it. Waits for answers are generous, for
// silence short (it only gets longer on a slow machine). The tool's runs over the pty (test_cli_pty,
// test_ui_main_pty, test_faults) cover answers, rate search and switch, restart, slow and silent switches.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "TempDir.h"
#include "sim/CameraReplies.h"
#include "sim/PtyServer.h"

using namespace vr::sim;
using namespace std::chrono_literals;
using std::chrono::milliseconds;

extern char** environ;

namespace {

constexpr auto kSilence = 300ms;
const std::string kNoAnswer = "<no answer>", kHungUp = "<hung up>";

// The program's side of the camera's pty, opened the plain way: open(2) and termios.
class SlavePort {
public:
    explicit SlavePort(const std::string& path, uint32_t rate = 9600)
        : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
        SetRate(rate);
    }
    ~SlavePort() { ::close(fd_); }
    SlavePort(const SlavePort&) = delete;
    SlavePort& operator=(const SlavePort&) = delete;

    bool SetRate(uint32_t rate) {
        termios t{};
        if (::tcgetattr(fd_, &t) != 0) return false;
        ::cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        const speed_t speed = rate == 57600 ? B57600 : rate == 115200 ? B115200 : B9600;
        return ::cfsetspeed(&t, speed) == 0 && ::tcsetattr(fd_, TCSANOW, &t) == 0;
    }
    bool Write(const std::string& bytes) { return ::write(fd_, bytes.data(), bytes.size()) == ssize_t(bytes.size()); }

    // The next line, without CR LF unless `raw`; kNoAnswer when none arrives in time, kHungUp when the
    // far side is gone (reads end with EIO or end of file).
    std::string ReadLine(milliseconds timeout, bool raw = false) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        size_t lf;
        while ((lf = buffer_.find('\n')) == std::string::npos) {
            const auto left = std::chrono::ceil<milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd p{fd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return kNoAnswer;
            char chunk[2048];
            const ssize_t n = ::read(fd_, chunk, sizeof chunk);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (n <= 0) return n == 0 || errno == EIO ? kHungUp : kNoAnswer;
            buffer_.append(chunk, static_cast<size_t>(n));
        }
        std::string line = buffer_.substr(0, lf + 1);
        buffer_.erase(0, lf + 1);
        if (!raw) line.erase(line.size() - (line.size() > 1 && line[line.size() - 2] == '\r' ? 2 : 1));
        return line;
    }
    std::string Ask(const std::string& line, milliseconds timeout = 5s) {
        return Write(line + "\r\n") ? ReadLine(timeout) : "<write failed>";
    }

private:
    int fd_;
    std::string buffer_;
};

// A running camera and the program's side of its line.
struct Camera {
    explicit Camera(const std::function<void(SimOptions&)>& set = nullptr, uint32_t rate = 9600) {
        SimOptions options;
        if (set) set(options);
        std::string error;
        EXPECT_TRUE(server.Start(options, &error)) << error;
        port = std::make_unique<SlavePort>(server.DevicePath(), rate);
    }
    PtyServer server;
    std::unique_ptr<SlavePort> port;
};

bool Exists(const std::string& path) {
    return std::filesystem::exists(std::filesystem::symlink_status(path));
}

bool WaitUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!done() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(5ms);
    return done();
}

}  // namespace

TEST(SimPty, StartsRawAtItsRateWithALinkAndCleansUp) {
    vr::test::TempDir dir;
    SimOptions o;
    o.linkPath = dir / "cam0";
    PtyServer server;
    std::string error;
    ASSERT_TRUE(server.Start(o, &error)) << error;
    const std::string device = server.DevicePath();
    EXPECT_EQ(std::filesystem::read_symlink(o.linkPath).string(), device);
    // A program that opens the port without setting it up meets a raw line at 9600.
    const int fd = ::open(o.linkPath.c_str(), O_RDWR | O_NOCTTY);
    termios t{};
    ASSERT_EQ(::tcgetattr(fd, &t), 0);
    EXPECT_EQ(::cfgetospeed(&t), B9600);
    EXPECT_EQ(t.c_lflag & (ECHO | ICANON), 0u);
    ::close(fd);
    EXPECT_FALSE(server.Start(o, &error)) << "already running";
    server.Stop();
    EXPECT_FALSE(Exists(o.linkPath)) << "the link goes with the camera";
    EXPECT_FALSE(Exists(device)) << "and so does the pty";

    dir.WriteFile("plain", "not a link");
    o.linkPath = dir / "plain";
    EXPECT_FALSE(server.Start(o, &error));
    EXPECT_NE(error.find("not a symlink"), std::string::npos) << error;
    EXPECT_EQ(dir.ReadFile("plain"), "not a link");
}

TEST(SimPty, LineEndsAndNulBytes) {
    Camera cam;
    SlavePort& port = *cam.port;
    ASSERT_TRUE(port.Write(std::string(14, '\0') + "MD?\r\n"));
    EXPECT_EQ(port.ReadLine(5s, true), "MD=VR-8200-KA\r\n");
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

// The camera judges bytes by the rate when it reads them: wait for the drop before changing rate.
TEST(SimPty, BytesAtAnotherRateAreDroppedAndSpoilTheLineUnderWay) {
    Camera cam(nullptr, 115200);
    auto dropped = [&](uint64_t count) { return WaitUntil([&] { return cam.server.BytesDroppedForRate() >= count; }); };
    EXPECT_EQ(cam.port->Ask("MD?", kSilence), kNoAnswer);
    ASSERT_TRUE(dropped(5));
    ASSERT_TRUE(cam.port->Write("MD"));
    ASSERT_TRUE(dropped(7));
    ASSERT_TRUE(cam.port->SetRate(9600));
    EXPECT_EQ(cam.port->Ask("?"), kErrorUnknownCommand);
}

TEST(SimPty, TheStateFileKeepsAreasAndIdentity) {
    vr::test::TempDir dir;
    const auto inDir = [&dir](SimOptions& o) { o.stateFile = dir / "camera.state"; };
    {
        Camera cam(inDir);
        for (const char* line : {"GA=444", "SA=2", "UD=bench-7", "GA=555"})
            EXPECT_EQ(cam.port->Ask(line), kReplyComplete);
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_EQ(entry.path().filename(), "camera.state") << "no temporary file is left behind";
    {
        Camera cam(inDir);
        EXPECT_EQ(cam.port->Ask("GA?"), "GA=100") << "booted from the factory area";
        EXPECT_EQ(cam.port->Ask("UD?"), "UD=bench-7");
        EXPECT_EQ(cam.port->Ask("LD=2"), kReplyComplete);
        EXPECT_EQ(cam.port->Ask("GA?"), "GA=444");
    }
    dir.WriteFile("camera.state", "garbage\n");
    SimOptions o;
    inDir(o);
    std::string error;
    EXPECT_FALSE(PtyServer().Start(o, &error));
    EXPECT_NE(error.find("camera.state"), std::string::npos) << error;
}

// The switches that act on the line, as far as the tool's runs in test_faults cannot see them.
TEST(SimPty, NoiseAndHangUpSwitchesActOnTheLine) {
    {
        Camera cam([](SimOptions& o) { o.noisePerMille = 1000; });
        EXPECT_NE(cam.port->Ask("MD?", kSilence), "MD=VR-8200-KA") << "a bit flipped in every byte";
    }
    Camera cam([](SimOptions& o) { o.hangupAfter = 2; });
    const std::string device = cam.server.DevicePath();
    EXPECT_EQ(cam.port->Ask("MD?"), "MD=VR-8200-KA");
    EXPECT_EQ(cam.port->Ask("GA?"), "GA=100") << "the last answer is read before the hang-up";
    EXPECT_EQ(cam.port->ReadLine(5s), kHungUp);
    EXPECT_TRUE(WaitUntil([&] { return cam.server.HungUp(); }));
    EXPECT_FALSE(Exists(device)) << "like an adapter pulled out";
}

TEST(SimPty, PacedAnswersTakeAtLeastTheirWireTime) {
    Camera cam([](SimOptions& o) { o.pace = true; });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(cam.port->Ask("MD?"), "MD=VR-8200-KA");
    // "MD?" CR in (answered at the CR), "MD=VR-8200-KA" CR LF out: 19 bytes of 10 bits at 9600 bit/s.
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
    EXPECT_EQ(SlavePort(link).Ask("MD?"), "MD=VR-8200-KB");
    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ::close(out[0]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(Exists(link));
}
