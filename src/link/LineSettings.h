#pragma once
// Applies the line format to an open terminal device: raw bytes, the rate, the byte size, stop
// bits, parity check and software flow control as asked, no hardware flow control, the receiver on,
// modem-status lines ignored, and reads that return at once with what is queued.

#include <cstdint>
#include <string>

namespace vr::platform {
class SysCalls;
}

namespace vr::link {

struct LineFormat {
    uint32_t rate = 9600;
    int byteSize = 8;  // 5..8
    int stopBits = 0;  // 0 one, 1 one and a half (taken as two), 2 two
    bool xonXoff = false;
    bool parityCheck = false;
};

// True when the operating system knows the rate as a line speed.
bool IsLineRate(uint32_t rate);

// False with failure set to "Error in <step>: <reason>" when a step failed.
bool ApplyLineFormat(const platform::SysCalls& calls, int fd, const LineFormat& format, std::string& failure);

// The rate the device runs at now (its output speed); 0 when it cannot be read.
uint32_t CurrentLineRate(const platform::SysCalls& calls, int fd);

}  // namespace vr::link
