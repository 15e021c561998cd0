#include "link/NetworkLinkDriver.h"

#include <algorithm>
#include <iterator>

#include "link/CommSetting.h"
#include "link/TelnetCodes.h"
#include "platform/Platform.h"

namespace vr::link {

using namespace telnet;

namespace {

using Clock = std::chrono::steady_clock;

std::string Quad(uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

uint32_t QuadAt(const std::string& text, std::size_t at) {
    uint32_t value = 0;
    for (std::size_t i = at; i < at + 4; ++i) value = (value << 8) | static_cast<uint8_t>(text[i]);
    return value;
}

// The server's signature as one printable line.
std::string Printable(const std::string& text) {
    std::string shown;
    for (const char c : text) shown.push_back(c >= 0x20 && c < 0x7f ? c : ' ');
    while (!shown.empty() && shown.back() == ' ') shown.pop_back();
    return shown;
}

bool WeOffer(uint8_t option) {
    return option == kOptComPort || option == kOptBinary || option == kOptSuppressGoAhead;
}
bool WeAccept(uint8_t option) {
    return option == kOptBinary || option == kOptSuppressGoAhead;
}

constexpr const char* kOurSignature = "VR-8200 Control Tool";

}  // namespace

NetworkLinkDriver::NetworkLinkDriver(platform::IPlatform& platform, NetworkTiming timing,
                                     const platform::SysCalls& calls)
    : platform_(platform), timing_(timing), connection_(calls) {}

void NetworkLinkDriver::SetAddress(const std::string& address) {
    if (address == address_) return;
    address_ = address;
    refusedRates_.clear();
    confirmedRates_.clear();
}

bool NetworkLinkDriver::Fail(const std::string& reason) {
    lastError_ = reason;
    connection_.Close();
    // No address yet: the operator is about to type one, nothing failed.
    if (address_.empty()) return false;
    platform_.MessageBox("Failed to open " + address_ + "!\n" + reason, platform::kAppTitle,
                         platform::MsgIcon::Exclamation);
    return false;
}

int NetworkLinkDriver::Open(uint32_t portIndex, uint32_t rate) {
    Close();
    lastError_.clear();
    std::string why;
    if (portIndex != 0 || address_.empty()) return Fail("no network address is set; write rfc2217://HOST:PORT"), 0;
    if (!NetworkAddress::Parse(address_, parsed_, why)) return Fail(why), 0;
    if (!connection_.Connect(parsed_.host, parsed_.port, timing_.connect, why)) return Fail(why), 0;
    rate_ = rate;
    if (!parsed_.rfc2217) return 1;
    if (!Negotiate()) return 0;
    return SetRate(rate) ? 1 : (Fail(lastError_), 0);
}

void NetworkLinkDriver::Close() {
    connection_.Close();
    receiver_.Reset();
    received_.clear();
    lostReason_.clear();
    signature_.clear();
    ourOptions_.clear();
    theirOptions_.clear();
    comPortRefused_ = false;
    confirmations_ = 0;
}

bool NetworkLinkDriver::Negotiate() {
    // Offered at once, not waited for: a server answers in its own time, and the rate's
    // confirmation below proves it took the port option.
    std::string offer;
    for (const uint8_t option : {kOptComPort, kOptBinary, kOptSuppressGoAhead}) {
        offer += {static_cast<char>(kIac), static_cast<char>(kWill), static_cast<char>(option)};
        ourOptions_.insert(option);
    }
    for (const uint8_t option : {kOptBinary, kOptSuppressGoAhead}) {
        offer += {static_cast<char>(kIac), static_cast<char>(kDo), static_cast<char>(option)};
        theirOptions_.insert(option);
    }
    SendRaw(offer);
    SendSubnegotiation(kSignature, {});
    SendSubnegotiation(kSetDataSize, std::string(1, 8));
    SendSubnegotiation(kSetParity, std::string(1, static_cast<char>(kParityNone)));
    SendSubnegotiation(kSetStopSize, std::string(1, static_cast<char>(kStopBitsOne)));
    // ser2net does not answer this one on a pseudo-terminal: nothing waits for it.
    SendSubnegotiation(kSetControl, std::string(1, static_cast<char>(kNoFlowControl)));
    if (!lostReason_.empty()) return Fail(lostReason_);
    return true;
}

void NetworkLinkDriver::SendRaw(const std::string& bytes) {
    if (!lostReason_.empty() || !connection_.IsOpen()) return;
    std::string why;
    if (!connection_.SendAll(bytes, timing_.send, why)) lostReason_ = why;
}

void NetworkLinkDriver::SendSubnegotiation(uint8_t command, const std::string& value) {
    std::string bytes{static_cast<char>(kIac), static_cast<char>(kSb), static_cast<char>(kOptComPort),
                      static_cast<char>(command)};
    for (const char c : value) {
        bytes.push_back(c);
        if (static_cast<uint8_t>(c) == kIac) bytes.push_back(c);
    }
    bytes += {static_cast<char>(kIac), static_cast<char>(kSe)};
    SendRaw(bytes);
}

bool NetworkLinkDriver::Pump(std::chrono::milliseconds timeout) {
    if (!lostReason_.empty()) return false;
    std::string bytes, why;
    const TcpConnection::Received got = connection_.Receive(bytes, timeout, why);
    if (got == TcpConnection::Received::Closed || got == TcpConnection::Received::Failed) {
        lostReason_ = why;
        return false;
    }
    TelnetEvents events;
    receiver_.Feed(bytes, events);
    Handle(events);
    return lostReason_.empty();
}

void NetworkLinkDriver::Handle(const TelnetEvents& events) {
    received_ += events.data;
    for (const TelnetCommand& command : events.commands) Answer(command.verb, command.option);
    for (const TelnetSubnegotiation& sub : events.subnegotiations) {
        if (sub.option != kOptComPort || sub.payload.empty()) continue;
        const auto code = static_cast<uint8_t>(sub.payload[0]);
        if (code == kServerReply + kSignature) {
            signature_ = Printable(sub.payload.substr(1));
        } else if (code == kServerReply + kSetBaudRate && sub.payload.size() >= 5) {
            confirmedRate_ = QuadAt(sub.payload, 1);
            ++confirmations_;
        } else if (code == kSignature) {
            SendSubnegotiation(kServerReply + kSignature, kOurSignature);
        }
        // The line and modem state notices arrive unasked; the tool has no use for them.
    }
}

void NetworkLinkDriver::Answer(uint8_t verb, uint8_t option) {
    const auto send = [this](uint8_t v, uint8_t o) {
        SendRaw({static_cast<char>(kIac), static_cast<char>(v), static_cast<char>(o)});
    };
    switch (verb) {
        case kDo:
            if (!WeOffer(option)) {
                send(kWont, option);
            } else if (ourOptions_.insert(option).second) {
                send(kWill, option);
            }
            break;
        case kDont:
            if (option == kOptComPort) comPortRefused_ = true;
            if (ourOptions_.erase(option) != 0) send(kWont, option);
            break;
        case kWill:
            if (!WeAccept(option)) {
                send(kDont, option);
            } else if (theirOptions_.insert(option).second) {
                send(kDo, option);
            }
            break;
        case kWont:
            if (theirOptions_.erase(option) != 0) send(kDont, option);
            break;
        default:
            break;
    }
}

bool NetworkLinkDriver::SetRate(uint32_t rate) {
    const unsigned before = confirmations_;
    SendSubnegotiation(kSetBaudRate, Quad(rate));
    const Clock::time_point end = Clock::now() + timing_.reply;
    while (confirmations_ == before && !comPortRefused_) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0) {
            lastError_ = "the port server at " + parsed_.HostPort() + " did not confirm " + std::to_string(rate) +
                         " bit/s within " + std::to_string(timing_.reply.count()) + " ms";
            return false;
        }
        if (!Pump(left)) {
            lastError_ = lostReason_;
            return false;
        }
    }
    if (comPortRefused_) {
        lastError_ = "the server at " + parsed_.HostPort() +
                     " does not speak RFC 2217 (it refused the port option); write tcp://" + parsed_.HostPort() +
                     " for a raw bridge";
        return false;
    }
    if (confirmedRate_ != rate) {
        refusedRates_.insert(rate);
        lastError_ = "the port server at " + parsed_.HostPort() + " refused " + std::to_string(rate) +
                     " bit/s (it runs the line at " + std::to_string(confirmedRate_) + ")";
        return false;
    }
    confirmedRates_.insert(rate);
    rate_ = rate;
    return true;
}

int NetworkLinkDriver::ChangeRate(uint32_t rate) {
    if (!connection_.IsOpen() || Lost()) return 0;
    if (!Rfc2217() || rate == rate_) {
        rate_ = rate;
        return 1;
    }
    if (SetRate(rate)) return 1;
    platform_.MessageBox("Failed to change the rate of " + address_ + "!\n" + lastError_, platform::kAppTitle,
                         platform::MsgIcon::Exclamation);
    return 0;
}

bool NetworkLinkDriver::SupportsRate(uint32_t rate) {
    if (std::find(std::begin(kRates), std::end(kRates), rate) == std::end(kRates)) return false;
    // A raw bridge runs at one rate, whatever it is: the line is searched once and never raised.
    if (!Rfc2217()) return rate == kRates[0];
    if (refusedRates_.count(rate) != 0) return false;
    if (confirmedRates_.count(rate) != 0 || !connection_.IsOpen() || Lost() || rate == rate_) return true;
    // Tried before the camera is sent there: a server that cannot follow leaves the line as it was.
    const uint32_t current = rate_;
    const bool confirmed = SetRate(rate);
    if (!SetRate(current)) lostReason_ = lostReason_.empty() ? lastError_ : lostReason_;
    return confirmed;
}

void NetworkLinkDriver::Purge() {
    if (Rfc2217()) SendSubnegotiation(kPurgeData, std::string(1, static_cast<char>(kPurgeBoth)));
    received_.clear();
}

void NetworkLinkDriver::Write(const std::string& text) {
    if (!Rfc2217()) return SendRaw(text);
    std::string bytes;
    bytes.reserve(text.size());
    for (const char c : text) {
        bytes.push_back(c);
        if (static_cast<uint8_t>(c) == kIac) bytes.push_back(c);
    }
    SendRaw(bytes);
}

int NetworkLinkDriver::Read(char* buffer, int count, std::chrono::milliseconds timeout) {
    const Clock::time_point end = Clock::now() + std::max(timeout, std::chrono::milliseconds(0));
    for (;;) {
        if (received_.size() >= static_cast<std::size_t>(count) || !connection_.IsOpen()) break;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
        if (!Pump(std::max(left, std::chrono::milliseconds(0))) || left.count() <= 0) break;
    }
    const int taken = static_cast<int>(std::min(received_.size(), static_cast<std::size_t>(count)));
    std::copy_n(received_.begin(), taken, buffer);
    received_.erase(0, static_cast<std::size_t>(taken));
    return taken;
}

}  // namespace vr::link
