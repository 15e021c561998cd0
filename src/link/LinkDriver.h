#pragma once
// One communication mode's way to the camera: the serial port, or one of the three generations of
// the Camera Link serial library. The link object holds the four and talks to the one of the mode
// in use.

#include <chrono>
#include <cstdint>
#include <string>

namespace vr::link {

class ILinkDriver {
public:
    virtual ~ILinkDriver() = default;

    // Lists the mode's ports afresh and returns their number.
    virtual int PortCount() = 0;
    // The name the port list shows; "ERROR" or empty outside the list, as the mode has it.
    virtual std::string PortName(int index) = 0;

    // Opens the port at the rate; 1 on success. The driver tells the operator why it failed.
    virtual int Open(uint32_t portIndex, uint32_t rate) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Writes the text; whatever the line did (a lost byte shows as the camera's silence).
    virtual void Write(const std::string& text) = 0;
    // Up to count bytes within the time-out, returning the moment they are in; a time-out of 0
    // makes one attempt without waiting.
    virtual int Read(char* buffer, int count, std::chrono::milliseconds timeout) = 0;

    // Whether the link can run at the rate: asked before the camera is sent to one.
    virtual bool SupportsRate(uint32_t rate) = 0;

    // The line went away under the open port.
    virtual bool Lost() const { return false; }
    virtual std::string LostReason() const { return {}; }
    // Why the last load or open failed (a library's text or status); empty when unknown.
    virtual std::string LastError() const { return {}; }
};

}  // namespace vr::link
