#pragma once
// A scripted link object for the windows' tests: modes, ports, the rate index and the open state,
// with every call recorded. A camera on the in-memory link reads the rate and open state from it.

#include <cstdint>
#include <string>
#include <vector>

#include "link/CommSetting.h"
#include "link/LineControl.h"

namespace vr::test {

class FakeLineControl : public link::ILineControl {
public:
    uint32_t GetMode() const override { return mode; }
    void SetMode(uint32_t m) override { mode = m; }
    int GetBaudIndex() const override { return baudIndex; }
    uint32_t GetPortIndex() const override { return portIndex; }
    int GetPortCount() override { return static_cast<int>(ports.size()); }
    std::string GetPortName(int i) override { return ports.at(static_cast<size_t>(i)); }

    int Reopen() override {
        ops.push_back("reopen");
        calls.push_back("reopen");
        open = reopenResult == 1;
        return reopenResult;
    }
    int OpenMode(uint32_t m) override {
        calls.push_back("mode " + std::to_string(m));
        mode = m;
        open = true;
        return 1;
    }
    int OpenPort(uint32_t i) override {
        calls.push_back("port " + std::to_string(i));
        portIndex = i;
        open = true;
        return 1;
    }
    int OpenBaud(uint32_t rate) override {
        baudIndex = link::CCommSetting::RateToBaudIndex(rate);
        ops.push_back("baud" + std::to_string(baudIndex));
        calls.push_back("baud " + std::to_string(rate));
        open = true;
        return 1;
    }
    void Close() override {
        ops.push_back("close");
        calls.push_back("close");
        open = false;
    }

    bool LinkSupportsRate(uint32_t rate) override { return rate <= fastestRate; }
    void SendWakeUpBytes(int count) override {
        calls.push_back("wake " + std::to_string(count));
        // Like the real link: the Camera Link modes have no serial port to write them on.
        if (mode == link::ComPort) wakeUpBytes += count;
    }
    int AddDevicePath(const std::string& path) override {
        if (mode != link::ComPort) return -1;
        for (size_t i = 0; i < ports.size(); ++i)
            if (ports[i] == path) return static_cast<int>(i);
        ports.push_back(path);
        return static_cast<int>(ports.size()) - 1;
    }
    std::string AbsentRememberedDevice() override { return mode == link::ComPort ? absentDevice : std::string(); }

    uint32_t Rate() const { return link::CCommSetting::BaudIndexToRate(baudIndex); }

    uint32_t mode = link::ComPort;
    int baudIndex = 0;
    uint32_t portIndex = 0;
    bool open = false;
    std::vector<std::string> ports{"/dev/ttyS0", "/dev/ttyUSB0 (FT232R USB UART)"};
    std::string absentDevice;  // the stored device path that is not there, if any
    int reopenResult = 1;
    // The link refuses every rate above fastestRate.
    uint32_t fastestRate = 115200;
    int wakeUpBytes = 0;  // written on the serial port
    // Every call with its argument, in order ("mode 1", "port 0", "baud 115200", "wake 14", "reopen").
    std::vector<std::string> calls;
    // Only what opened or closed the line, rates by index ("reopen", "baud4", "close").
    std::vector<std::string> ops;
};

}  // namespace vr::test
