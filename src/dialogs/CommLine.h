#pragma once
// The operations of the link object that the communication dialog drives: the communication mode,
// its port list and the line speed. The application binds it to the process's link object; tests give
// the dialog a scripted line.

#include <cstdint>
#include <string>

namespace vr::dialogs {

class ICommLine {
public:
    virtual ~ICommLine() = default;

    virtual uint32_t GetMode() const = 0;
    // Stores the mode without opening anything.
    virtual void SetMode(uint32_t mode) = 0;
    virtual int GetBaudIndex() const = 0;
    virtual uint32_t GetPortIndex() const = 0;
    virtual int GetPortCount() = 0;
    virtual std::string GetPortName(int index) = 0;

    virtual int OpenMode(uint32_t mode) = 0;
    virtual int OpenPort(uint32_t portIndex) = 0;
    virtual int OpenBaud(uint32_t rate) = 0;

    // Writes `count` NUL bytes, one write each, on the serial port link without listing them, so a
    // camera receiver that saw bytes at a foreign speed ends its garbage line. Nothing is sent in the
    // Camera Link modes.
    virtual void SendWakeUpBytes(int count) = 0;

    // Whether the link of the current mode can run at `rate`.
    virtual bool LinkSupportsRate(uint32_t rate) = 0;

    // Makes a device path the operator typed part of the serial port list; its index in the list,
    // or -1 when the current mode has no device paths.
    virtual int AddDevicePath(const std::string& path) = 0;
};

}  // namespace vr::dialogs
