#pragma once
// One camera's services and session on a link chosen by the caller, not by the settings store: a
// camera among many, each on its own thread. Its store keeps nothing (CRegistry::kNoStore), so the
// program's stored link and choices stay as they were.

#include <cstdint>
#include <memory>
#include <string>

#include "app/CoreServices.h"

namespace vr::app {

class SessionOnLink {
public:
    explicit SessionOnLink(platform::IPlatform& platform);
    ~SessionOnLink();
    SessionOnLink(const SessionOnLink&) = delete;
    SessionOnLink& operator=(const SessionOnLink&) = delete;

    // Points the link at a serial device or port server (`mode` link::ComPort or link::Network, `port`
    // the device path or address) or at a Camera Link library's port (`mode` 1..3, `portIndex`).
    // False with the reason when the device is not there or the address is not one.
    bool Choose(uint32_t mode, const std::string& port, uint32_t portIndex, std::string& why);

    camera::CameraSession& Session() { return core_.Session(); }
    CoreServices& Core() { return core_; }

private:
    CoreServices core_;
};

}  // namespace vr::app
