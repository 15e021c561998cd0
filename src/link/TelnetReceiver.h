#pragma once
// Splits the byte stream a Telnet peer sends into the data it carries, the option commands (WILL,
// WONT, DO, DONT) and the subnegotiations, whatever way the stream was cut into reads: a command or
// a subnegotiation may end in the next read. A doubled IAC is one 255 data byte, in data and in a
// subnegotiation alike.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vr::link {

struct TelnetCommand {
    uint8_t verb = 0;  // WILL, WONT, DO or DONT
    uint8_t option = 0;
};

struct TelnetSubnegotiation {
    uint8_t option = 0;
    std::string payload;  // undoubled
    bool truncated = false;
};

struct TelnetEvents {
    std::string data;
    std::vector<TelnetCommand> commands;
    std::vector<TelnetSubnegotiation> subnegotiations;
};

class TelnetReceiver {
public:
    // A subnegotiation keeps this many payload bytes; a longer one is cut and marked truncated, so a
    // peer that never ends one cannot make the link grow without bound.
    static constexpr std::size_t kMaxPayload = 512;

    // Adds what `bytes` completes to `events` (nothing is cleared).
    void Feed(std::string_view bytes, TelnetEvents& events);
    // Forgets a command or subnegotiation under way (a new connection).
    void Reset();

private:
    void AfterIac(uint8_t byte, TelnetEvents& events);

    enum class State { Data, Iac, Verb, SbOption, SbData, SbIac };
    State state_ = State::Data;
    uint8_t verb_ = 0;
    TelnetSubnegotiation sub_;
};

}  // namespace vr::link
