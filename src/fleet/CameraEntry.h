#pragma once
// One position of an inventory: where the camera sits on the line, how it is reached, and what is
// expected of it there.

#include <cstdint>
#include <optional>
#include <string>

namespace vr::fleet {

struct CameraEntry {
    std::string name;        // the position, unique in its inventory; also the snapshot's file name
    int line = 0;            // the line of its [[camera]] header in the inventory, for messages
    uint32_t mode = 0;       // link::CommMode: a serial device, a Camera Link library version, a port server
    std::string port;        // the device path or "rfc2217://HOST:PORT" / "tcp://HOST:PORT"; empty for Camera Link
    uint32_t portIndex = 0;  // the port's index in the Camera Link library's list
    std::optional<std::string> cameraId;  // the camera ID expected at this position
    std::string golden;                   // this position's golden settings file, resolved; empty when none

    // "/dev/ttyUSB0", "rfc2217://cabinet-3:2217" or "cl11 port 1".
    std::string LinkText() const;
};

}  // namespace vr::fleet
