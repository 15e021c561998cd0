#pragma once
// What the command engine needs of the line to the camera. The process's link object implements
// it; tests give the engine an in-memory link.

#include <chrono>
#include <string>

namespace vr::protocol {

class ILink {
public:
    virtual ~ILink() = default;

    // Writes the whole text on the line and lists it in the traffic log as sent. Returns 1 whenever
    // a link mode is selected, whatever the line did, and 0 only when no mode is.
    virtual int Write(const std::string& text) = 0;

    // Reads up to count bytes into buffer. Returns as soon as count bytes are in or the time-out
    // has passed, waking the moment bytes arrive (never a fixed sleep); with a time-out of 0 it
    // makes one attempt. A lost line returns at once. Returns the number of bytes placed in the
    // buffer.
    virtual int Read(char* buffer, int count, std::chrono::milliseconds timeout) = 0;

    // The line went away under the open link (an adapter unplugged, the other side hung up): nothing
    // more can arrive until it is opened again. The reason for the operator.
    virtual bool Lost() const { return false; }
    virtual std::string LostReason() const { return {}; }
};

}  // namespace vr::protocol
