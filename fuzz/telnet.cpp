// The network link's reading of what a port server sends: Telnet commands, subnegotiations and data
// with doubled IAC bytes. The first byte says where the rest is cut into two reads; the result must
// not depend on the cut, and nothing may grow beyond its bound.

#include <algorithm>

#include "FuzzCheck.h"
#include "link/TelnetReceiver.h"

namespace {

using vr::link::TelnetEvents;
using vr::link::TelnetReceiver;

bool Same(const TelnetEvents& a, const TelnetEvents& b) {
    if (a.data != b.data || a.commands.size() != b.commands.size() ||
        a.subnegotiations.size() != b.subnegotiations.size())
        return false;
    for (size_t i = 0; i < a.commands.size(); ++i)
        if (a.commands[i].verb != b.commands[i].verb || a.commands[i].option != b.commands[i].option) return false;
    for (size_t i = 0; i < a.subnegotiations.size(); ++i)
        if (a.subnegotiations[i].option != b.subnegotiations[i].option ||
            a.subnegotiations[i].payload != b.subnegotiations[i].payload ||
            a.subnegotiations[i].truncated != b.subnegotiations[i].truncated)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string bytes(vr::fuzz::AsText(data + 1, size - 1));
    TelnetReceiver whole;
    TelnetEvents once;
    whole.Feed(bytes, once);

    const size_t cut = bytes.empty() ? 0 : data[0] % (bytes.size() + 1);
    TelnetReceiver split;
    TelnetEvents twice;
    split.Feed(std::string_view(bytes).substr(0, cut), twice);
    split.Feed(std::string_view(bytes).substr(cut), twice);
    FUZZ_CHECK(Same(once, twice));

    // Every data byte and every command came from the input: a 255 in the data took two.
    const size_t doubled = static_cast<size_t>(std::count(once.data.begin(), once.data.end(), '\xff'));
    FUZZ_CHECK(once.data.size() + doubled + 3 * once.commands.size() <= bytes.size());
    for (const auto& command : once.commands) FUZZ_CHECK(command.verb >= 251 && command.verb <= 254);
    for (const auto& sub : once.subnegotiations) {
        FUZZ_CHECK(sub.payload.size() <= TelnetReceiver::kMaxPayload);
        FUZZ_CHECK(!sub.truncated || sub.payload.size() == TelnetReceiver::kMaxPayload);
    }
    // Input without IAC is all data.
    if (bytes.find('\xff') == std::string::npos) FUZZ_CHECK(once.data == bytes);
    return 0;
}
