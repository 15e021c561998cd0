#pragma once
// What the windows do with the link object beyond sending commands: choose the communication mode,
// list and pick its ports, open it, change its rate and wake the camera's receiver. The application
// binds it to the process's link object (CommSettingLineControl); tests give a scripted line.

#include <cstdint>
#include <string>

namespace vr::link {

class ILineControl {
public:
    virtual ~ILineControl() = default;

    virtual uint32_t GetMode() const = 0;
    // Stores the mode without opening anything.
    virtual void SetMode(uint32_t mode) = 0;
    virtual int GetBaudIndex() const = 0;
    virtual uint32_t GetPortIndex() const = 0;
    virtual int GetPortCount() = 0;
    virtual std::string GetPortName(int index) = 0;

    // Opens the link of the stored mode, port and rate; 1 on success.
    virtual int Reopen() = 0;
    virtual int OpenMode(uint32_t mode) = 0;
    virtual int OpenPort(uint32_t portIndex) = 0;
    virtual int OpenBaud(uint32_t rate) = 0;
    virtual void Close() = 0;

    // Whether the link of the current mode can run at `rate`; asked before the rate is used, so a
    // Camera Link library is never asked for a rate it refuses and the camera is never sent to one.
    virtual bool LinkSupportsRate(uint32_t rate) = 0;

    // Writes `count` NUL bytes, one write each, on the serial port or network link without listing
    // them, so a camera receiver that saw bytes at a foreign speed ends its garbage line. Nothing is
    // sent in the Camera Link modes.
    virtual void SendWakeUpBytes(int count) = 0;

    // Makes a device path the operator typed part of the serial port list; its index in the list,
    // or -1 when the current mode has no device paths.
    virtual int AddDevicePath(const std::string& path) = 0;

    // Mode 0: the stored device path when that device is not there now (an adapter unplugged);
    // empty otherwise. Such a port stays stored until the operator chooses another.
    virtual std::string AbsentRememberedDevice() = 0;
};

}  // namespace vr::link
