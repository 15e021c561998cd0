#pragma once
// The one object everything above the line talks to: it holds the communication mode, the rate and
// one remembered port index per mode, and forwards each operation to the link of the current mode.

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

#include "link/ClLinkDriver.h"
#include "link/ClSerial2000.h"
#include "link/ClSerial2001.h"
#include "link/ClSerialVer11.h"
#include "link/NetworkLinkDriver.h"
#include "link/SerialLinkDriver.h"
#include "link/SerialPortList.h"
#include "protocol/Link.h"

namespace vr::platform {
class CRegistry;
class IPlatform;
}  // namespace vr::platform
namespace vr::protocol {
class TrafficLog;
}

namespace vr::link {

enum CommMode : uint32_t { ComPort = 0, CameraLink2000 = 1, CameraLink2001 = 2, CameraLinkVer11 = 3, Network = 4 };

inline constexpr uint32_t kRates[] = {9600, 19200, 38400, 57600, 115200};
// The camera's own code for each of those rates, as "CBDRT" takes it.
inline constexpr int32_t kCameraRateCodes[] = {1, 2, 4, 8, 16};
inline constexpr int kRateCount = 5;

class CCommSetting final : public protocol::ILink {
public:
    // Reads the mode, the four port indices and the serial device path from the store; the rate
    // always starts at 9600. Open failures are told through the platform, every text written is
    // listed in the traffic log. Tests give their own port list, and their own system calls.
    CCommSetting(platform::CRegistry& registry, platform::IPlatform& platform, protocol::TrafficLog& traffic,
                 SerialPortList portList = SerialPortList(),
                 const platform::SysCalls& calls = platform::SysCalls::Real());
    // Closes the link and saves (a normal program end).
    ~CCommSetting() override;
    CCommSetting(const CCommSetting&) = delete;
    CCommSetting& operator=(const CCommSetting&) = delete;

    uint32_t GetMode() const;
    void SetMode(uint32_t mode);
    int GetBaudIndex() const;
    static uint32_t BaudIndexToRate(int index);  // 9600 outside 0..4
    static int RateToBaudIndex(uint32_t rate);   // 0 for a rate not in the table
    uint32_t GetBaudRate() const;
    uint32_t GetPortIndex() const;
    // Lists the ports of the current mode afresh (mode 0: the machine's serial ports and the named
    // device paths; Camera Link: the library's list) and returns their number.
    int GetPortCount();
    std::string GetPortName(int index);

    int Open(uint32_t mode, uint32_t rate, uint32_t portIndex);
    int Open(uint32_t mode, uint32_t rate);
    int Reopen();
    int OpenMode(uint32_t mode);
    int OpenBaud(uint32_t rate);
    int OpenPort(uint32_t portIndex);
    void Close();

    // protocol::ILink: event-driven, never a busy loop or a fixed sleep.
    int Read(char* buffer, int count, std::chrono::milliseconds timeout) override;
    int Write(const std::string& text) override;
    // The line went away under the open link; commands fail at once until it is opened again.
    bool Lost() const override;
    std::string LostReason() const override;

    // Saves mode, rate and indices to the settings store (done at program exit).
    void Save();
    // Whether the destructor saves: a command-line run that picked its own port leaves the
    // operator's stored choice alone.
    void SetSaveOnExit(bool save) { saveOnExit_ = save; }
    // Remembers the port index of the current mode without opening anything; the next Reopen uses it.
    void SetPortIndex(uint32_t index);

    // Whether the link of the current mode can run at the rate (Camera Link libraries may refuse
    // rates). Asked before the line is raised so the camera is never sent to a rate the link
    // cannot follow.
    bool LinkSupportsRate(uint32_t rate);

    // Mode 0: adds a device path the operator named (a pseudo-terminal, a /dev/serial/by-id link)
    // to the port list and returns its index; the path listed already gives its index, an empty
    // one -1. The network mode takes the text as its address ("HOST:PORT" is an RFC 2217 server)
    // and returns 0. Nothing is opened.
    int AddDevicePath(const std::string& path);
    // Mode 0: the device path of a listed port; empty outside the list.
    std::string GetPortDevice(int index);
    // In the serial mode, the stored device path when that device is not there now; empty otherwise.
    std::string AbsentRememberedDevice();
    // In the serial mode, the remembered device path (its stable name where it has one), present or
    // not; empty in the Camera Link modes and when none is remembered.
    std::string RememberedDevice() const;
    // Whether the link of the current mode is open.
    bool IsOpen() const;
    // Another program had the serial port open when it was opened last, without locking it (see
    // CSerialPort::HolderNote); empty otherwise. The operator is told once per note.
    std::string HolderNote();
    // Why the last load or open of the current mode failed (the failed step and the system's
    // reason, who holds a serial port, a Camera Link loader's text or library status).
    std::string LastLinkError() const;

    // The serial port itself, for the few callers that need it directly (the line flush writes its
    // zero bytes on the serial port only; tests).
    CSerialPort& SerialPort() { return serial_.Port(); }
    SerialPortList& PortList() { return serial_.List(); }

    // The network mode's address ("rfc2217://HOST:PORT" or "tcp://HOST:PORT"), remembered like a
    // serial device. Nothing is opened.
    void SetNetworkAddress(const std::string& address);
    const std::string& GetNetworkAddress() const { return network_.Address(); }
    NetworkLinkDriver& NetworkDriver() { return network_; }

private:
    static constexpr uint32_t kModeCount = 5;
    // Tells the operator once what the network link said of itself (the server, a raw bridge).
    void NoteNetworkLink();
    bool ValidMode() const { return mode_ < kModeCount; }
    ILinkDriver& Driver() const { return *drivers_[mode_]; }

    platform::CRegistry& registry_;
    protocol::TrafficLog& traffic_;
    uint32_t mode_ = ComPort;
    uint32_t baudRate_ = 9600;
    std::array<uint32_t, kModeCount> portIndex_{};
    bool saveOnExit_ = true;
    platform::IPlatform& platform_;
    std::string holderNoteTold_;
    std::string networkNoteTold_;

    CClSerial2000 cl2000_;
    CClSerial2001 cl2001_;
    CClSerialVer11 clVer11_;
    SerialLinkDriver serial_;
    ClLinkDriver<CClSerial2000> cl2000Driver_{cl2000_};
    ClLinkDriver<CClSerial2001> cl2001Driver_{cl2001_};
    ClLinkDriver<CClSerialVer11> clVer11Driver_{clVer11_};
    NetworkLinkDriver network_;
    std::array<ILinkDriver*, kModeCount> drivers_{&serial_, &cl2000Driver_, &cl2001Driver_, &clVer11Driver_, &network_};
};

}  // namespace vr::link
