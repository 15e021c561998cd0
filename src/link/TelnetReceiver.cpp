#include "link/TelnetReceiver.h"

#include "link/TelnetCodes.h"

namespace vr::link {

using namespace telnet;

void TelnetReceiver::Reset() {
    state_ = State::Data;
    sub_ = {};
}

void TelnetReceiver::AfterIac(uint8_t byte, TelnetEvents& events) {
    state_ = State::Data;
    if (byte == kIac) {
        events.data.push_back(static_cast<char>(byte));
    } else if (byte >= kWill) {
        verb_ = byte;
        state_ = State::Verb;
    } else if (byte == kSb) {
        sub_ = {};
        state_ = State::SbOption;
    }
    // NOP, GA, a stray SE and the other one-byte commands carry nothing the link needs.
}

void TelnetReceiver::Feed(std::string_view bytes, TelnetEvents& events) {
    for (const char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        switch (state_) {
            case State::Data:
                if (byte == kIac)
                    state_ = State::Iac;
                else
                    events.data.push_back(c);
                break;
            case State::Iac:
                AfterIac(byte, events);
                break;
            case State::Verb:
                events.commands.push_back({verb_, byte});
                state_ = State::Data;
                break;
            case State::SbOption:
                sub_.option = byte;
                state_ = State::SbData;
                break;
            case State::SbData:
                if (byte == kIac) {
                    state_ = State::SbIac;
                } else if (sub_.payload.size() < kMaxPayload) {
                    sub_.payload.push_back(c);
                } else {
                    sub_.truncated = true;
                }
                break;
            case State::SbIac:
                if (byte == kIac) {
                    if (sub_.payload.size() < kMaxPayload)
                        sub_.payload.push_back(c);
                    else
                        sub_.truncated = true;
                    state_ = State::SbData;
                } else if (byte == kSe) {
                    events.subnegotiations.push_back(std::move(sub_));
                    sub_ = {};
                    state_ = State::Data;
                } else {
                    // A peer that forgot the SE: the subnegotiation is dropped and the byte read as
                    // the command it is.
                    sub_ = {};
                    AfterIac(byte, events);
                }
                break;
        }
    }
}

}  // namespace vr::link
