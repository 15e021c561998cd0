// The serial port link over real pseudo-terminals: what the tool writes and reads passes through
// termios, the reader thread and the ring; the test plays the camera on the master side. A USB
// adapter's low latency is asked for on the same pty, with a prepared sysfs and an injected ioctl.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <linux/serial.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <thread>

#include "TestServices.h"
#include "link/PortLock.h"
#include "platform/SysCalls.h"

using namespace vr;
using namespace std::chrono_literals;
namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Matcher;
using ::testing::StartsWith;

namespace {

class SerialPortPtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        int slave = -1;
        char name[64] = {};
        ASSERT_EQ(::openpty(&master_, &slave, name, nullptr, nullptr), 0);
        ::close(slave);  // the tool opens the device by its path, as it would a real port
        device_ = name;
        const int index = comm_.AddDevicePath(name);
        ASSERT_GE(index, 0);
        index_ = static_cast<uint32_t>(index);
    }
    void TearDown() override {
        traffic_.SetTerminalSink(nullptr);
        comm_.Close();
        if (master_ >= 0) ::close(master_);
    }

    // What the camera receives: count bytes, or fewer when none come for a while.
    std::string CameraReads(size_t count) const {
        std::string got;
        while (got.size() < count) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 5000) <= 0) break;
            char buffer[256];
            const ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n <= 0) break;
            got.append(buffer, static_cast<size_t>(n));
        }
        return got;
    }
    void CameraWrites(const std::string& bytes) const {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    std::string ToolReads(int count, std::chrono::milliseconds timeout) {
        std::string got(static_cast<size_t>(count), '\0');
        got.resize(static_cast<size_t>(comm_.Read(got.data(), count, timeout)));
        return got;
    }

    test::TestServices services_;
    test::FakePlatform& platform_ = services_.platform;
    protocol::TrafficLog& traffic_ = services_.traffic;
    link::CCommSetting& comm_ = services_.link;
    int master_ = -1;
    std::string device_;
    uint32_t index_ = 0;
};

TEST_F(SerialPortPtyTest, BytesTravelBothWaysAtTheRateTheLinkSet) {
    ASSERT_EQ(comm_.Open(link::ComPort, 115200, index_), 1);
    termios t{};
    ASSERT_EQ(::tcgetattr(master_, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), B115200);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);

    EXPECT_EQ(comm_.Write("GA=400\r\n"), 1);
    EXPECT_EQ(CameraReads(8), "GA=400\r\n") << "raw: no CR or LF translated";
    std::thread camera([this] {
        std::this_thread::sleep_for(20ms);
        CameraWrites("COMPLETE\r\n");
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ToolReads(10, 30000ms), "COMPLETE\r\n");
    camera.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30000ms) << "the waiting read is woken by the bytes";
    EXPECT_EQ(ToolReads(1, 20ms), "") << "nothing more came";
    EXPECT_TRUE(platform_.boxes.empty());

    // Another rate: the port is opened again and the other side sees the new speed.
    ASSERT_EQ(comm_.OpenBaud(19200), 1);
    ASSERT_EQ(::tcgetattr(master_, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), B19200);
    EXPECT_EQ(comm_.GetBaudIndex(), 1);
    CameraWrites("MD=VR-8200-KB\r\n");
    EXPECT_EQ(ToolReads(15, 5000ms), "MD=VR-8200-KB\r\n");
    EXPECT_EQ(comm_.SerialPort().Write(std::string(14, '\0').data(), 14), 1);
    EXPECT_EQ(CameraReads(14), std::string(14, '\0'));
}

// Bytes left on the line while the port was closed (a late reply of an earlier run) are gone when it
// opens again.
TEST_F(SerialPortPtyTest, CloseEndsTheIdleReaderAtOnceAndThePortOpensAgainWithoutStaleBytes) {
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(comm_.OpenPort(index_), 1);
        EXPECT_TRUE(comm_.IsOpen());
        comm_.Close();  // would hang for ever if the reader's poll() were not woken
        EXPECT_FALSE(comm_.IsOpen());
        EXPECT_EQ(ToolReads(1, 0ms), "");
    }
    CameraWrites("EA=1\r\n");
    std::this_thread::sleep_for(20ms);
    ASSERT_EQ(comm_.OpenPort(index_), 1);
    EXPECT_EQ(ToolReads(6, 100ms), "");
    CameraWrites("OK\n");
    EXPECT_EQ(ToolReads(3, 5000ms), "OK\n");
}

TEST_F(SerialPortPtyTest, AHangUpOfTheOtherSideEndsTheReaderAndCommandsTimeOut) {
    ASSERT_EQ(comm_.OpenPort(index_), 1);
    CameraWrites("LAST\r\n");
    EXPECT_EQ(ToolReads(6, 5000ms), "LAST\r\n");
    ::close(master_);
    master_ = -1;
    ASSERT_TRUE(comm_.SerialPort().WaitLineLost(5000ms));
    EXPECT_TRUE(comm_.SerialPort().LineLost());
    EXPECT_FALSE(comm_.SerialPort().LostReason().empty());
    std::vector<std::string> listed;
    traffic_.SetTerminalSink([&](const std::string& t) { listed.push_back(t); });
    EXPECT_EQ(comm_.Write("MD?\r\n"), 1) << "the write is listed; its bytes go nowhere";
    traffic_.SetTerminalSink(nullptr);
    EXPECT_EQ(listed, std::vector<std::string>{"Tx: MD?"});
    EXPECT_EQ(ToolReads(1, 30ms), "");
    comm_.Close();
    EXPECT_FALSE(comm_.IsOpen());
    EXPECT_TRUE(platform_.boxes.empty());
}

// More than the ring holds in one burst: the reader takes only what fits, the rest waits in the
// driver, and nothing is lost.
TEST_F(SerialPortPtyTest, ABurstLargerThanTheRingLosesNothing) {
    ASSERT_EQ(comm_.OpenPort(index_), 1);
    std::string sent(1500, '\0');
    for (size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<char>('A' + i % 23);
    CameraWrites(sent);
    auto& port = comm_.SerialPort();
    for (int i = 0; i < 5000 && port.GetAvailable() < 1023; ++i) std::this_thread::sleep_for(1ms);
    EXPECT_EQ(port.GetAvailable(), 1023) << "the ring is full";
    EXPECT_EQ(ToolReads(1500, 5000ms), sent);
    EXPECT_EQ(port.DroppedBytes(), 0u);
    CameraWrites("COMPLETE\r\n");
    EXPECT_EQ(ToolReads(10, 5000ms), "COMPLETE\r\n");
}

// The longest reply the engine takes is 1022 characters and CR LF, whether it arrives in one burst
// or in pieces; one character more overflows the engine's buffer and says so.
TEST_F(SerialPortPtyTest, TheLongestReplyArrivesWholeAndALongerOneIsReported) {
    ASSERT_EQ(comm_.OpenPort(index_), 1);
    const std::string longest = "UD=" + std::string(1019, 'x');
    // The camera reads "UD?\r\n" and answers, in pieces of the given size.
    const auto query = [&](const std::string& reply, size_t piece, std::chrono::milliseconds timeout) {
        std::thread camera([&] {
            CameraReads(5);
            for (size_t at = 0; at < reply.size(); at += piece) {
                CameraWrites(reply.substr(at, piece));
                std::this_thread::sleep_for(2ms);
            }
        });
        std::string text;
        const int result = services_.engine.QueryString(protocol::cmd::UD, text, timeout);
        camera.join();
        return std::pair{result, text};
    };
    EXPECT_EQ(query(longest + "\r\n", 2000, 5000ms), std::pair(1, std::string(1019, 'x'))) << "in one burst";
    EXPECT_EQ(query(longest + "\r\n", 100, 5000ms), std::pair(1, std::string(1019, 'x'))) << "in pieces";
    EXPECT_TRUE(platform_.boxes.empty());
    EXPECT_EQ(query(longest + "y\r\n", 2000, 300ms).first, 0);
    EXPECT_EQ(platform_.Texts().at(0), "RS-232C receiving buffer overflowed");
}

TEST_F(SerialPortPtyTest, ChangingToACameraLinkModeClosesTheSerialPortFirst) {
    test::TempDir emptyFolder;
    test::ScopedEnv folder("VR8200_CLSER_DIR", emptyFolder.Path());
    ASSERT_EQ(comm_.OpenPort(index_), 1);
    EXPECT_EQ(comm_.OpenMode(link::CameraLink2000), 0);
    EXPECT_EQ(comm_.GetPortCount(), 0) << "an empty folder has no 2000-generation ports";
    EXPECT_TRUE(platform_.boxes.empty()) << "a link that does not open shows nothing itself";
    EXPECT_FALSE(comm_.SerialPort().IsOpen());
    EXPECT_EQ(comm_.GetMode(), static_cast<uint32_t>(link::CameraLink2000));
    EXPECT_EQ(comm_.Open(link::ComPort, 9600, index_), 1) << "the serial port is free again";
}

// One tool per port, root or not, and each layer of the lock alone keeps a second one off: the device's
// own lock where no lock file can be written (another open of the device holds it), and a live lock file
// where nobody holds the device's lock, with its holder named; a lock file of a process that is gone is
// cleaned away. (The holder of the device's lock, another vr8200ctl, is named by test_faults.)
TEST_F(SerialPortPtyTest, EachLayerOfThePortLockKeepsASecondToolOff) {
    {
        test::ScopedEnv noLockFiles("VR8200_LOCK_DIR", "/nonexistent/lock folder");
        const int other = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(other, 0);
        {
            link::PortLock held;
            std::string why;
            ASSERT_TRUE(held.Acquire(other, device_, why)) << why;
            EXPECT_EQ(comm_.OpenPort(index_), 0);
            EXPECT_EQ(comm_.LastLinkError(), device_ + " is in use by another process");
        }
        ASSERT_EQ(::close(other), 0);
        EXPECT_EQ(comm_.OpenPort(index_), 1) << "the device's lock went with the other open";
        comm_.Close();
        platform_.boxes.clear();
    }
    test::TempDir locks;
    test::ScopedEnv lockDir("VR8200_LOCK_DIR", locks.Path());
    const std::string lockFile = locks / link::PortLock::LockFileName(device_);
    std::ofstream(lockFile) << std::setw(10) << ::getppid() << "\n";
    std::string holder;
    std::getline(std::ifstream("/proc/" + std::to_string(::getppid()) + "/comm"), holder);
    const std::string inUse = device_ + " is in use by process " + std::to_string(::getppid()) + " (" + holder + ")";
    EXPECT_EQ(comm_.OpenPort(index_), 0);
    EXPECT_THAT(platform_.Texts(), ElementsAre(HasSubstr(inUse)));
    EXPECT_EQ(comm_.LastLinkError(), inUse);

    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    std::ofstream(lockFile, std::ios::trunc) << std::setw(10) << gone << "\n";
    EXPECT_EQ(comm_.OpenPort(index_), 1);
    EXPECT_EQ(std::stoi(locks.ReadFile(link::PortLock::LockFileName(device_))), ::getpid())
        << "the lock file is ours now";
    comm_.Close();
    EXPECT_FALSE(fs::exists(lockFile)) << "and gone with the port";
}

// The USB adapter's driver behind the injected ioctl, and the flags set through it.
struct Driver {
    bool getFails, setFails;
    int flagsAtStart;
};
Driver gDriver;
std::vector<int> gSetFlags;

int FakeSerialIoctl(int, unsigned long request, void* arg) {
    auto* serial = static_cast<serial_struct*>(arg);
    if (request == TIOCGSERIAL && !gDriver.getFails) {
        serial->flags = gDriver.flagsAtStart;
        return 0;
    }
    if (request == TIOCSSERIAL && !gDriver.setFails) {
        gSetFlags.push_back(serial->flags);
        return 0;
    }
    errno = request == TIOCGSERIAL || request == TIOCSSERIAL ? EPERM : ENOTTY;
    return -1;
}

// The port opens whatever could not be done; the traffic log says what was done or why not.
TEST_F(SerialPortPtyTest, AUsbAdapterGetsLowLatencyAndA1MsTimerOrSaysWhyNot) {
    const struct {
        const char* name;
        const char* timer;  // nullptr: no USB adapter; "": a folder in the timer's place, which nobody can write
        bool getFails, setFails;
        int flagsAtStart;
        Matcher<const std::vector<std::string>&> notes;
    } cases[] = {
        {"low latency set", "16\n", false, false, 0,
         ElementsAre(device_ + ": low latency on; latency timer 16 ms -> 1 ms")},
        {"driver refuses", "1\n", false, true, 0,
         ElementsAre(device_ + ": low latency refused (TIOCSSERIAL: Operation not permitted); latency timer 1 ms")},
        {"no serial info", "", true, false, 0,
         ElementsAre(StartsWith(device_ + ": low latency not asked for (TIOCGSERIAL: Operation not permitted); "
                                          "latency timer stays at"))},
        {"already on", "1\n", false, false, ASYNC_LOW_LATENCY,
         ElementsAre(device_ + ": low latency was on; latency timer 1 ms")},
        {"another device", nullptr, false, false, 0, IsEmpty()},
    };
    test::TempDir sys;
    // This link alone sees the prepared sysfs tree and the fake driver.
    const platform::SysCalls calls(platform::SysCalls::RealOps(), FakeSerialIoctl, sys.Path());
    link::CCommSetting comm(services_.registry, platform_, traffic_, link::SerialPortList(), calls);
    const int index = comm.AddDevicePath(device_);
    ASSERT_GE(index, 0);
    std::vector<std::string> notes;
    traffic_.SetTerminalSink([&](const std::string& line) {
        if (line.rfind("Note: ", 0) == 0) notes.push_back(line.substr(6));
    });
    const std::string usb = "sys/devices/pci0000:00/usb1/1-2/1-2:1.0/ttyUSB0";
    const std::string tty = "sys/class/tty/" + fs::path(device_).filename().string();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(sys / "sys");
        if (c.timer != nullptr) {
            fs::create_directories(sys / usb);
            fs::create_directories(sys / tty);
            fs::create_symlink(sys / usb, sys / (tty + "/device"));
            if (*c.timer != '\0') sys.WriteFile(usb + "/latency_timer", c.timer);
            if (*c.timer == '\0') fs::create_directories(sys / (usb + "/latency_timer"));
        }
        gDriver = {c.getFails, c.setFails, c.flagsAtStart};
        gSetFlags.clear();
        notes.clear();
        ASSERT_EQ(comm.Open(link::ComPort, 9600, static_cast<uint32_t>(index)), 1);
        EXPECT_THAT(notes, c.notes);
        const bool set = c.timer != nullptr && !c.getFails && !c.setFails && c.flagsAtStart == 0;
        EXPECT_EQ(gSetFlags, set ? std::vector<int>{ASYNC_LOW_LATENCY} : std::vector<int>{});
        if (c.timer != nullptr && *c.timer != '\0') {
            EXPECT_EQ(sys.ReadFile(usb + "/latency_timer").substr(0, 1), "1");
        }
        comm.Close();
    }
}

}  // namespace
