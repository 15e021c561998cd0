// The serial port link over real pseudo-terminals: what the tool writes and reads passes through
// termios, the reader thread and the ring; the test plays the camera on the master side.

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <thread>

#include "FakePlatform.h"
#include "TempDir.h"
#include "app/Registry.h"
#include "link/CommSetting.h"
#include "link/PortLock.h"
#include "protocol/Command.h"
#include "protocol/OnlineStatus.h"
#include "protocol/TrafficLog.h"

using namespace vr;
using namespace std::chrono_literals;
extern char** environ;

using link::CCommSetting;

namespace {

class SerialPortPtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        int slave = -1;
        char name[64] = {};
        ASSERT_EQ(::openpty(&master_, &slave, name, nullptr, nullptr), 0);
        // The tool opens the device by its path, as it would a real port.
        ::close(slave);
        comm_ = std::make_unique<CCommSetting>(registry_, platform_, traffic_);
        const int index = comm_->AddDevicePath(name);
        ASSERT_GE(index, 0);
        index_ = static_cast<uint32_t>(index);
    }
    void TearDown() override {
        comm_.reset();
        if (master_ >= 0) ::close(master_);
    }

    termios Master() const {
        termios t{};
        EXPECT_EQ(::tcgetattr(master_, &t), 0);
        return t;
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
        got.resize(static_cast<size_t>(comm_->Read(got.data(), count, timeout)));
        return got;
    }

    test::FakePlatform platform_;
    protocol::TrafficLog traffic_;
    test::TempDir config_;
    app::CRegistry registry_{config_.Path()};
    int master_ = -1;
    uint32_t index_ = 0;
    std::unique_ptr<CCommSetting> comm_;
};

TEST_F(SerialPortPtyTest, BytesTravelBothWaysAtTheRateTheLinkSet) {
    ASSERT_EQ(comm_->Open(link::ComPort, 115200, index_), 1);
    const termios t = Master();
    EXPECT_EQ(cfgetospeed(&t), B115200);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);

    EXPECT_EQ(comm_->Write("GA=400\r\n"), 1);
    EXPECT_EQ(CameraReads(8), "GA=400\r\n") << "raw: no CR or LF translated";
    CameraWrites("COMPLETE\r\n");
    EXPECT_EQ(ToolReads(10, 5000ms), "COMPLETE\r\n");
    EXPECT_EQ(ToolReads(1, 20ms), "") << "nothing more came";
    EXPECT_TRUE(platform_.boxes.empty());

    // Another rate: the port is opened again and the other side sees the new speed.
    ASSERT_EQ(comm_->OpenBaud(19200), 1);
    const termios slower = Master();
    EXPECT_EQ(cfgetospeed(&slower), B19200);
    EXPECT_EQ(comm_->GetBaudIndex(), 1);
    CameraWrites("MD=VR-8200-KB\r\n");
    EXPECT_EQ(ToolReads(15, 5000ms), "MD=VR-8200-KB\r\n");
    EXPECT_EQ(comm_->SerialPort().Write(std::string(14, '\0').data(), 14), 1);
    EXPECT_EQ(CameraReads(14), std::string(14, '\0'));
}

TEST_F(SerialPortPtyTest, AWaitingReadWakesWhenTheFirstByteArrives) {
    ASSERT_EQ(comm_->OpenPort(index_), 1);
    std::thread camera([this] {
        std::this_thread::sleep_for(20ms);
        CameraWrites("C");
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ToolReads(1, 30000ms), "C");
    camera.join();
    // Woken by the byte, not by the time-out.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30000ms);
}

// Bytes left on the line while the port was closed (a late reply of an earlier run) are gone when it
// opens again.
TEST_F(SerialPortPtyTest, CloseEndsTheIdleReaderAtOnceAndThePortOpensAgainWithoutStaleBytes) {
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(comm_->OpenPort(index_), 1);
        EXPECT_TRUE(comm_->IsOpen());
        comm_->Close();  // would hang for ever if the reader's poll() were not woken
        EXPECT_FALSE(comm_->IsOpen());
        EXPECT_EQ(ToolReads(1, 0ms), "");
    }
    CameraWrites("EA=1\r\n");
    std::this_thread::sleep_for(20ms);
    ASSERT_EQ(comm_->OpenPort(index_), 1);
    EXPECT_EQ(ToolReads(6, 100ms), "");
    CameraWrites("OK\n");
    EXPECT_EQ(ToolReads(3, 5000ms), "OK\n");
}

TEST_F(SerialPortPtyTest, AHangUpOfTheOtherSideEndsTheReaderAndCommandsTimeOut) {
    ASSERT_EQ(comm_->OpenPort(index_), 1);
    CameraWrites("LAST\r\n");
    EXPECT_EQ(ToolReads(6, 5000ms), "LAST\r\n");
    ::close(master_);
    master_ = -1;
    ASSERT_TRUE(comm_->SerialPort().WaitLineLost(5000ms));
    EXPECT_TRUE(comm_->SerialPort().LineLost());
    EXPECT_FALSE(comm_->SerialPort().LostReason().empty());
    EXPECT_EQ(comm_->Write("MD?\r\n"), 1) << "the write is listed; its bytes go nowhere";
    EXPECT_EQ(ToolReads(1, 30ms), "");
    comm_->Close();
    EXPECT_FALSE(comm_->IsOpen());
    EXPECT_TRUE(platform_.boxes.empty());
}

// More than the ring holds in one burst: the reader takes only what fits, the rest waits in the
// driver, and nothing is lost.
TEST_F(SerialPortPtyTest, ABurstLargerThanTheRingLosesNothing) {
    ASSERT_EQ(comm_->OpenPort(index_), 1);
    std::string sent(1500, '\0');
    for (size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<char>('A' + i % 23);
    CameraWrites(sent);
    auto& port = comm_->SerialPort();
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
    ASSERT_EQ(comm_->OpenPort(index_), 1);
    protocol::OnlineStatusBroadcaster status;
    protocol::Command engine(platform_, status, traffic_);
    engine.SetLink(comm_.get());
    const std::string longest = "UD=" + std::string(1019, 'x');
    for (bool pieces : {false, true}) {
        SCOPED_TRACE(pieces ? "in pieces" : "in one burst");
        std::thread camera([&] {
            CameraReads(5);  // "UD?\r\n"
            const std::string reply = longest + "\r\n";
            if (!pieces) return CameraWrites(reply);
            for (size_t at = 0; at < reply.size(); at += 100) {
                CameraWrites(reply.substr(at, 100));
                std::this_thread::sleep_for(2ms);
            }
        });
        std::string text;
        EXPECT_EQ(engine.QueryString(protocol::cmd::UD, text, 5000ms), 1);
        camera.join();
        EXPECT_EQ(text, std::string(1019, 'x'));
    }
    EXPECT_TRUE(platform_.boxes.empty());
    std::thread camera([&] {
        CameraReads(5);
        CameraWrites(longest + "y\r\n");
    });
    std::string text;
    EXPECT_EQ(engine.QueryString(protocol::cmd::UD, text, 300ms), 0);
    camera.join();
    ASSERT_FALSE(platform_.boxes.empty());
    EXPECT_EQ(platform_.boxes[0].text, "RS-232C receiving buffer overflowed");
    engine.SetLink(nullptr);
}

TEST_F(SerialPortPtyTest, ChangingToACameraLinkModeClosesTheSerialPortFirst) {
    test::TempDir emptyFolder;
    test::ScopedEnv folder("VR8200_CLSER_DIR", emptyFolder.Path());
    ASSERT_EQ(comm_->OpenPort(index_), 1);
    EXPECT_EQ(comm_->OpenMode(link::CameraLink2000), 0) << "no library in the folder";
    EXPECT_FALSE(comm_->SerialPort().IsOpen());
    EXPECT_EQ(comm_->GetMode(), static_cast<uint32_t>(link::CameraLink2000));
    // The serial port is free again for whoever opens it next.
    EXPECT_EQ(comm_->Open(link::ComPort, 9600, index_), 1);
}

}  // namespace

// One tool per port, root or not: another process's lock, or a live lock file, keeps the port
// closed with the holder named; a lock file of a process that is gone is cleaned away.
TEST_F(SerialPortPtyTest, APortHeldByAnotherProcessIsRefusedWithItsHolder) {
    test::TempDir locks;
    test::ScopedEnv lockDir("VR8200_LOCK_DIR", locks.Path());
    const std::string device = comm_->GetPortDevice(static_cast<int>(index_));

    // flock(1) holds the device's advisory lock while its child sleeps.
    pid_t holder = 0;
    std::vector<std::string> args = {"flock", "-n", "-o", device, "sleep", "5"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ASSERT_EQ(posix_spawnp(&holder, "flock", nullptr, nullptr, argv.data(), environ), 0);
    bool locked = false;
    for (int i = 0; i < 500 && !locked; ++i) {
        std::this_thread::sleep_for(10ms);
        std::ifstream procLocks("/proc/locks");
        locked = std::string(std::istreambuf_iterator<char>(procLocks), {}).find(" " + std::to_string(holder) + " ") !=
                 std::string::npos;
    }
    ASSERT_TRUE(locked) << "flock(1) did not take the lock";
    EXPECT_EQ(comm_->OpenPort(index_), 0);
    ASSERT_EQ(platform_.boxes.size(), 1u);
    EXPECT_NE(platform_.boxes[0].text.find(device + " is in use by process " + std::to_string(holder) + " (flock)"),
              std::string::npos)
        << platform_.boxes[0].text;
    EXPECT_EQ(comm_->LastLinkError(), device + " is in use by process " + std::to_string(holder) + " (flock)");
    ::kill(holder, SIGTERM);
    int status = 0;
    ::waitpid(holder, &status, 0);

    // A lock file naming a running process, then one naming a process that is gone.
    const std::string lockFile = locks / link::PortLock::LockFileName(device);
    platform_.boxes.clear();
    std::ofstream(lockFile) << std::setw(10) << ::getppid() << "\n";
    EXPECT_EQ(comm_->OpenPort(index_), 0);
    ASSERT_EQ(platform_.boxes.size(), 1u);
    EXPECT_NE(platform_.boxes[0].text.find("is in use by process " + std::to_string(::getppid())), std::string::npos);
    std::ofstream(lockFile, std::ios::trunc) << std::setw(10) << holder << "\n";  // reaped above
    EXPECT_EQ(comm_->OpenPort(index_), 1);
    EXPECT_EQ(std::stoi(locks.ReadFile(link::PortLock::LockFileName(device))), ::getpid()) << "the lock file is ours now";
    comm_->Close();
    EXPECT_FALSE(std::filesystem::exists(lockFile)) << "and gone with the port";
}
