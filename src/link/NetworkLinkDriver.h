#pragma once
// The network link: a camera behind a port server. With "rfc2217://HOST:PORT" the tool speaks the
// part of RFC 2217 it needs as a client (the line's rate, 8N1, no flow control, purging, the
// server's signature) and the line's rate follows the tool as a serial port's would; with
// "tcp://HOST:PORT" the bridge keeps its own rate, so the tool never sends the camera to another.
// The link has one port, the address; a dropped connection shows as a lost line and the next
// opening connects afresh.

#include <chrono>
#include <cstdint>
#include <set>
#include <string>

#include "link/LinkDriver.h"
#include "link/NetworkAddress.h"
#include "link/TcpConnection.h"
#include "link/TelnetReceiver.h"

namespace vr::platform {
class IPlatform;
}

namespace vr::link {

struct NetworkTiming {
    std::chrono::milliseconds connect{3000};
    // How long the server has to confirm a rate; ser2net answers within milliseconds.
    std::chrono::milliseconds reply{2000};
    std::chrono::milliseconds send{5000};
};

class NetworkLinkDriver final : public ILinkDriver {
public:
    // The connection reaches the system through `calls` (the real ones unless a test gives its own).
    explicit NetworkLinkDriver(platform::IPlatform& platform, NetworkTiming timing = NetworkTiming(),
                               const platform::SysCalls& calls = platform::SysCalls::Real());

    // A new address forgets what the last server confirmed or refused.
    void SetAddress(const std::string& address);
    const std::string& Address() const { return address_; }

    int PortCount() override { return address_.empty() ? 0 : 1; }
    std::string PortName(int index) override { return index == 0 ? address_ : std::string(); }
    int Open(uint32_t portIndex, uint32_t rate) override;
    void Close() override;
    bool IsOpen() const override { return connection_.IsOpen(); }
    void Write(const std::string& text) override;
    int Read(char* buffer, int count, std::chrono::milliseconds timeout) override;
    bool SupportsRate(uint32_t rate) override;
    bool Lost() const override { return connection_.IsOpen() && !lostReason_.empty(); }
    std::string LostReason() const override { return Lost() ? lostReason_ : std::string(); }
    std::string LastError() const override { return lastError_; }

    // Moves the open connection's line to the rate without connecting again: 1 once the server
    // confirmed it (a raw bridge: at once), 0 when it refused or did not answer (the line keeps its
    // old rate).
    int ChangeRate(uint32_t rate);
    // Asks the server for the line's rate again and waits for the confirmation (a round trip
    // through the server and nothing else); false when none came.
    bool Reconfirm() { return Rfc2217() && IsOpen() && SetRate(rate_); }
    // Asks the server to drop what its buffers hold both ways (nothing on a raw bridge).
    void Purge();
    // The text the server gave as its signature; empty when it gave none.
    const std::string& Signature() const { return signature_; }
    // Whether the link can change the line's rate: false for a raw bridge.
    bool Rfc2217() const { return address_.rfind("tcp://", 0) != 0; }
    uint32_t Rate() const { return rate_; }

private:
    bool Fail(const std::string& reason);
    bool Negotiate();
    bool SetRate(uint32_t rate);
    void SendSubnegotiation(uint8_t command, const std::string& value);
    void SendRaw(const std::string& bytes);
    // Receives once within the time-out and handles what came; false once the connection is gone.
    bool Pump(std::chrono::milliseconds timeout);
    void Handle(const TelnetEvents& events);
    void Answer(uint8_t verb, uint8_t option);

    platform::IPlatform& platform_;
    NetworkTiming timing_;
    std::string address_;
    NetworkAddress parsed_;
    TcpConnection connection_;
    TelnetReceiver receiver_;
    std::string received_;  // data not yet read
    std::string lostReason_;
    std::string lastError_;
    std::string signature_;
    uint32_t rate_ = 0;
    // The server's latest rate confirmation and how many came.
    uint32_t confirmedRate_ = 0;
    unsigned confirmations_ = 0;
    bool comPortRefused_ = false;
    // Options each side already agreed or asked for, so no request is ever answered twice.
    std::set<uint8_t> ourOptions_;
    std::set<uint8_t> theirOptions_;
    // Rates this server confirmed or refused since the address was set.
    std::set<uint32_t> refusedRates_;
    std::set<uint32_t> confirmedRates_;
};

}  // namespace vr::link
