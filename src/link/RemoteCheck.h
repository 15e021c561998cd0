#pragma once
// What `doctor --remote` finds out about a port server without the start-up: whether it can be
// reached, its signature, how long it takes to confirm a rate (the network and the server alone),
// and how much longer than the wire time a camera's short reply takes through it (a server that
// holds replies back for a character delay shows here).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vr::platform {
class IPlatform;
}

namespace vr::link {

struct RemoteCheck {
    std::string address;
    bool reached = false;
    std::string problem;  // why the server could not be used; empty when it could
    std::string signature;
    bool rfc2217 = true;
    std::vector<double> confirmMs;  // each rate confirmation's round trip
    uint32_t cameraRate = 0;        // the rate a camera answered "MD?" at; 0 when none did
    std::string cameraModel;
    std::vector<double> replyMs;  // each "MD?" exchange at that rate
    double wireMs = 0;            // the exchange's bytes on the wire at that rate

    // The slowest round trip of each kind, minus the wire time for the replies.
    double WorstConfirmMs() const;
    double ExtraReplyMs() const;
    // Whether the replies take long enough beyond the wire to slow a long transfer noticeably.
    bool AddsLatency() const { return !replyMs.empty() && ExtraReplyMs() > kNoticeableMs; }
    static constexpr double kNoticeableMs = 3.0;
};

// Connects, reads the signature, times `rounds` rate confirmations, then looks for a camera from
// 115200 bit/s down and times `rounds` "MD?" queries where one answers. The line is left at the rate
// the camera answered at.
RemoteCheck CheckRemote(platform::IPlatform& platform, const std::string& address, int rounds = 5);

}  // namespace vr::link
