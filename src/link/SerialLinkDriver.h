#pragma once
// Communication mode 0: the machine's serial ports and the device paths the operator named. The
// chosen port is remembered by its device path, so an adapter that comes back at another position
// of the list (plugged into another socket) is found again.

#include <string>

#include "link/LinkDriver.h"
#include "link/SerialPort.h"
#include "link/SerialPortList.h"

namespace vr::platform {
class IPlatform;
}

namespace vr::link {

class SerialLinkDriver final : public ILinkDriver {
public:
    SerialLinkDriver(platform::IPlatform& platform, SerialPortList list, std::string rememberedDevice,
                     const platform::SysCalls& calls);

    // Lists the ports afresh and moves `index` to the remembered device's new position.
    int PortCount() override;
    std::string PortName(int index) override;
    int Open(uint32_t portIndex, uint32_t rate) override;
    void Close() override { port_.Close(); }
    bool IsOpen() const override { return port_.IsOpen(); }
    void Write(const std::string& text) override;
    int Read(char* buffer, int count, std::chrono::milliseconds timeout) override;
    bool SupportsRate(uint32_t rate) override;
    bool Lost() const override { return port_.IsOpen() && port_.LineLost(); }
    std::string LostReason() const override;
    std::string LastError() const override { return port_.LastError(); }

    // The index of the remembered device in the list (listing it first when needed, and adding a
    // remembered path that exists but is no port of the machine's); `fallback` when no device is
    // remembered, -1 when the remembered one is not there.
    int64_t RememberedIndex(uint32_t fallback);
    // The remembered device path (its stable /dev/serial/by-id name where it has one).
    const std::string& Remembered() const { return remembered_; }
    // Lists the ports only if that was never done.
    void EnsureListed();
    int AddDevicePath(const std::string& path);
    std::string Device(int index);
    // Remembers the port at index as the chosen one (nothing is opened).
    void Remember(int index);
    // The name to store: the stable /dev/serial/by-id link of the chosen device when it has one.
    std::string RememberedStablePath() const { return remembered_; }

    // Tells the operator that the remembered device is not present; 0.
    int ReportAbsent();

    CSerialPort& Port() { return port_; }
    SerialPortList& List() { return list_; }

private:
    platform::IPlatform& platform_;
    const platform::SysCalls& calls_;
    SerialPortList list_;
    CSerialPort port_;
    std::string remembered_;
};

}  // namespace vr::link
