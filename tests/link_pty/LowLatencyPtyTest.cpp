// A port that sysfs shows as a USB serial adapter is asked for low latency and gets its FTDI
// latency timer set to 1 ms when it opens; the traffic log says what was done or why not. The
// pseudo-terminal stands in for the adapter, a prepared tree for its sysfs, an injected ioctl for
// the driver.

#include <gtest/gtest.h>
#include <linux/serial.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "TempDir.h"
#include "app/FileIo.h"
#include "app/Registry.h"
#include "link/CommSetting.h"
#include "link/SysCalls.h"
#include "protocol/TrafficLog.h"

using namespace vr;
namespace fs = std::filesystem;

namespace {

struct Driver {
    int getResult = 0;
    int setResult = 0;
    int error = 0;
    int flagsAtStart = 0;
    std::vector<int> setFlags;
};
Driver gDriver;

int FakeSerialIoctl(int, unsigned long request, void* arg) {
    auto* serial = static_cast<serial_struct*>(arg);
    if (request == TIOCGSERIAL) {
        if (gDriver.getResult != 0) return errno = gDriver.error, -1;
        serial->flags = gDriver.flagsAtStart;
        return 0;
    }
    if (request == TIOCSSERIAL) {
        if (gDriver.setResult != 0) return errno = gDriver.error, -1;
        gDriver.setFlags.push_back(serial->flags);
        return 0;
    }
    return errno = ENOTTY, -1;
}

class LowLatencyPtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        int slave = -1;
        char name[64] = {};
        ASSERT_EQ(::openpty(&master_, &slave, name, nullptr, nullptr), 0);
        ::close(slave);
        device_ = name;
        gDriver = Driver{};
        link::sys::SetIoctlPtr(FakeSerialIoctl);
        link::sys::SetSysRoot(sys_.Path());
        comm_ = std::make_unique<link::CCommSetting>(registry_, platform_, traffic_);
        index_ = static_cast<uint32_t>(comm_->AddDevicePath(device_));
        traffic_.SetTerminalSink([this](const std::string& line) { log_.push_back(line); });
    }
    void TearDown() override {
        traffic_.SetTerminalSink(nullptr);
        comm_.reset();
        link::sys::SetIoctlPtr(nullptr);
        link::sys::SetSysRoot("");
        ::close(master_);
    }
    // sysfs of a USB adapter behind this pty's name; the timer file, or a folder in its place
    // (which nobody, root included, can write as a file).
    std::string MakeUsbAdapter(const char* timer) {
        const std::string tty = device_.substr(device_.find_last_of('/') + 1);
        const fs::path usb = fs::path(sys_.Path()) / "sys/devices/pci0000:00/usb1/1-2/1-2:1.0/ttyUSB0";
        fs::create_directories(usb);
        fs::create_directories(fs::path(sys_.Path()) / "sys/class/tty" / tty);
        fs::create_symlink(usb, fs::path(sys_.Path()) / "sys/class/tty" / tty / "device");
        if (timer != nullptr)
            sys_.WriteFile("sys/devices/pci0000:00/usb1/1-2/1-2:1.0/ttyUSB0/latency_timer", timer);
        else
            fs::create_directories(usb / "latency_timer");
        return (usb / "latency_timer").string();
    }
    std::vector<std::string> Notes() const {
        std::vector<std::string> notes;
        for (const auto& line : log_)
            if (line.rfind("Note: ", 0) == 0) notes.push_back(line.substr(6));
        return notes;
    }

    test::FakePlatform platform_;
    protocol::TrafficLog traffic_;
    test::TempDir config_, sys_;
    app::CRegistry registry_{config_.Path()};
    std::unique_ptr<link::CCommSetting> comm_;
    std::string device_;
    uint32_t index_ = 0;
    int master_ = -1;
    std::vector<std::string> log_;
};

}  // namespace

TEST_F(LowLatencyPtyTest, AUsbAdapterGetsLowLatencyAndA1MsTimer) {
    const std::string timer = MakeUsbAdapter("16\n");
    ASSERT_EQ(comm_->Open(link::ComPort, 9600, index_), 1);
    ASSERT_EQ(gDriver.setFlags.size(), 1u);
    EXPECT_NE(gDriver.setFlags[0] & ASYNC_LOW_LATENCY, 0);
    std::string text, error;
    ASSERT_TRUE(app::ReadWholeFile(timer, text, error));
    EXPECT_EQ(text.substr(0, 1), "1");
    EXPECT_EQ(Notes(), std::vector<std::string>{device_ + ": low latency on; latency timer 16 ms -> 1 ms"});
}

TEST_F(LowLatencyPtyTest, WhatCouldNotBeDoneIsSaidAndThePortStillOpens) {
    struct Case {
        const char* name;
        int getResult, setResult, flagsAtStart;
        const char* timer;
        std::string note;
    };
    const Case cases[] = {
        {"driver refuses", 0, -1, 0, "1\n",
         ": low latency refused (TIOCSSERIAL: Operation not permitted); latency timer 1 ms"},
        {"no serial info", -1, 0, 0, nullptr,
         ": low latency not asked for (TIOCGSERIAL: Operation not permitted)"
         "; latency timer stays at"},
        {"already on", 0, 0, ASYNC_LOW_LATENCY, "1\n", ": low latency was on; latency timer 1 ms"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(fs::path(sys_.Path()) / "sys");
        MakeUsbAdapter(c.timer);
        gDriver = Driver{c.getResult, c.setResult, EPERM, c.flagsAtStart, {}};
        log_.clear();
        ASSERT_EQ(comm_->Open(link::ComPort, 9600, index_), 1);
        ASSERT_EQ(Notes().size(), 1u);
        EXPECT_EQ(Notes()[0].rfind(device_ + c.note, 0), 0u) << Notes()[0];
        EXPECT_TRUE(gDriver.setFlags.empty());
        comm_->Close();
    }
}

TEST_F(LowLatencyPtyTest, AnotherDeviceIsLeftAsItIs) {
    ASSERT_EQ(comm_->Open(link::ComPort, 9600, index_), 1);
    EXPECT_TRUE(gDriver.setFlags.empty());
    EXPECT_TRUE(Notes().empty());
}
