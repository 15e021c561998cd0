// The serial port's handling of operating-system failures, injected through the system-call layer
// under a real pseudo-terminal.

#include <gtest/gtest.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

#include "FakePlatform.h"
#include "link/SerialPort.h"
#include "platform/SysCalls.h"

using namespace vr;
using namespace std::chrono_literals;
using link::CSerialPort;
using platform::SysCalls;

namespace {

enum class Call { None, Open, Excl, TcGetAttr, TcSetAttr, Dtr, EventFd, Read };

// What the fake makes fail: the call, its errno, and how many times (-1 for always).
std::atomic<Call> gFailCall{Call::None};
std::atomic<int> gFailErrno{0};
std::atomic<int> gFailTimes{0};
std::atomic<int> gPolls{0};

bool Fails(Call call) {
    if (gFailCall.load() != call) return false;
    const int left = gFailTimes.load();
    if (left == 0) return false;
    if (left > 0) gFailTimes.store(left - 1);
    errno = gFailErrno.load();
    return true;
}

int OpenDescriptors() {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}));
}

const SysCalls::Ops& kReal = SysCalls::RealOps();
const SysCalls::Ops kFaulty = {
    [](const char* path, int flags) { return Fails(Call::Open) ? -1 : kReal.open(path, flags); },
    kReal.close,
    [](int fd, void* buffer, size_t count) { return Fails(Call::Read) ? -1 : kReal.read(fd, buffer, count); },
    kReal.write,
    [](pollfd* fds, nfds_t count, int timeoutMs) {
        ++gPolls;
        return kReal.poll(fds, count, timeoutMs);
    },
    [](int fd, unsigned long op, int* on) {
        return op == TIOCMBIS && Fails(Call::Dtr) ? -1 : kReal.ioctlInt(fd, op, on);
    },
    [](int fd, unsigned long op) { return op == TIOCEXCL && Fails(Call::Excl) ? -1 : kReal.ioctlNone(fd, op); },
    [](int fd, termios* t) { return Fails(Call::TcGetAttr) ? -1 : kReal.tcgetattr(fd, t); },
    [](int fd, int when, const termios* t) { return Fails(Call::TcSetAttr) ? -1 : kReal.tcsetattr(fd, when, t); },
    [](unsigned int initial, int flags) { return Fails(Call::EventFd) ? -1 : kReal.eventfd(initial, flags); },
    kReal.stat,
    kReal.lstat,
    kReal.access,
    kReal.fstat,
    kReal.socket,
    kReal.connect,
    kReal.getsockopt,
    kReal.setsockopt,
    kReal.send,
    kReal.recv,
};

class SerialPortFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::openpty(&master_, &slave_, name_, nullptr, nullptr), 0);
        ::close(slave_);
        gFailCall = Call::None;
        descriptors_ = OpenDescriptors();
    }
    void TearDown() override {
        port_.Close();
        ::close(master_);
    }
    void Fail(Call call, int error, int times) {
        gFailErrno = error;
        gFailTimes = times;
        gFailCall = call;
    }

    test::FakePlatform platform_;
    int master_ = -1, slave_ = -1, descriptors_ = 0;
    char name_[64] = {};
    // Only this port reaches the system through the faulty calls.
    SysCalls calls_{kFaulty};
    CSerialPort port_{platform_, calls_};
};

TEST_F(SerialPortFaultTest, EachFailedStepIsNamedWithTheSystemsReasonAndNothingStaysOpen) {
    const struct {
        Call call;
        int error;
        uint32_t rate;
        const char* secondLine;
    } cases[] = {
        {Call::Open, EACCES, 9600, "Error in open(): Permission denied (the user may need to be in the dialout group)"},
        {Call::Open, ENOENT, 9600, "Error in open(): No such file or directory"},
        {Call::Open, EBUSY, 9600, "Error in open(): Device or resource busy (another program is using the port)"},
        {Call::Excl, EBUSY, 9600,
         "Error in ioctl(TIOCEXCL): Device or resource busy (another program is using the port)"},
        {Call::TcGetAttr, ENOTTY, 9600, "Error in tcgetattr(): Inappropriate ioctl for device"},
        {Call::TcSetAttr, EIO, 9600, "Error in tcsetattr(): Input/output error"},
        {Call::Dtr, EIO, 9600, "Error in ioctl(TIOCMBIS): Input/output error"},
        {Call::EventFd, EMFILE, 9600, "Error in eventfd(): Too many open files"},
        {Call::None, 0, 12345, "Error in cfsetspeed(): Invalid argument"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.secondLine);
        platform_.boxes.clear();
        Fail(c.call, c.error, -1);
        EXPECT_EQ(port_.Open(name_, c.rate, 8, 0, 0, 0), 0);
        ASSERT_EQ(platform_.Texts(),
                  std::vector<std::string>{"Failed to initialize " + std::string(name_) + " port!\n" + c.secondLine});
        EXPECT_EQ(platform_.boxes[0].icon, platform::MsgIcon::Exclamation);
        EXPECT_FALSE(port_.IsOpen());
        EXPECT_EQ(OpenDescriptors(), descriptors_) << "every descriptor of the failed open is closed again";
        char byte;
        EXPECT_EQ(port_.Read(&byte, 1), 0);
        EXPECT_EQ(port_.Write("x", 1), 0);
        EXPECT_FALSE(port_.WaitReadable(0ms));
    }
}

TEST_F(SerialPortFaultTest, APseudoTerminalWithoutModemLinesStillOpens) {
    for (int error : {ENOTTY, EINVAL}) {
        Fail(Call::Dtr, error, -1);
        EXPECT_EQ(port_.Open(name_, 19200, 8, 0, 0, 0), 1) << error;
        EXPECT_TRUE(platform_.boxes.empty());
        port_.Close();
    }
}

TEST_F(SerialPortFaultTest, InterruptedCallsAreRepeatedAndLoseNothing) {
    Fail(Call::Open, EINTR, 1);
    ASSERT_EQ(port_.Open(name_, 9600, 8, 0, 0, 0), 1);
    Fail(Call::Read, EINTR, 2);
    ASSERT_EQ(::write(master_, "COMPLETE\r\n", 10), 10);
    std::string got;
    char buffer[16];
    while (got.size() < 10 && port_.WaitReadable(5s)) got.append(buffer, static_cast<size_t>(port_.Read(buffer, 16)));
    EXPECT_EQ(got, "COMPLETE\r\n");
    EXPECT_FALSE(port_.LineLost());
}

TEST_F(SerialPortFaultTest, AReadErrorEndsTheReaderInsteadOfSpinning) {
    ASSERT_EQ(port_.Open(name_, 9600, 8, 0, 0, 0), 1);
    Fail(Call::Read, EIO, -1);
    ASSERT_EQ(::write(master_, "x", 1), 1);
    ASSERT_TRUE(port_.WaitLineLost(5s));
    EXPECT_EQ(port_.LostReason(), "read(): Input/output error");
    const int polls = gPolls.load();
    EXPECT_FALSE(port_.WaitReadable(20ms));
    EXPECT_EQ(gPolls.load(), polls) << "the ended reader polls no more";
    port_.Close();
    EXPECT_EQ(OpenDescriptors(), descriptors_);
}

}  // namespace
