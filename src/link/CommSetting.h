#pragma once
// The one object everything above the line talks to: it holds the communication mode, the rate and
// one remembered port index per mode, and forwards each operation to the link of the current mode.

#include <chrono>
#include <cstdint>
#include <string>

#include "protocol/Link.h"

namespace vr::link {

enum CommMode : uint32_t { ComPort = 0, CameraLink2000 = 1, CameraLink2001 = 2, CameraLinkVer11 = 3 };

inline constexpr uint32_t kRates[] = {9600, 19200, 38400, 57600, 115200};
inline constexpr int kRateCount = 5;

class CCommSetting final : public protocol::ILink {
public:
    static CCommSetting& Instance();

    uint32_t GetMode() const;
    void SetMode(uint32_t mode);
    int GetBaudIndex() const;
    static uint32_t BaudIndexToRate(int index);  // 9600 outside 0..4
    static int RateToBaudIndex(uint32_t rate);   // 0 for a rate not in the table
    uint32_t GetBaudRate() const;
    uint32_t GetPortIndex() const;
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

    // Saves mode, rate and indices to the settings store (done at program exit).
    void Save();

    // Whether the link of the current mode can run at the rate (Camera Link libraries may refuse
    // rates). Asked before the line is raised so the camera is never sent to a rate the link
    // cannot follow.
    bool LinkSupportsRate(uint32_t rate);
};

}  // namespace vr::link
