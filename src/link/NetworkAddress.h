#pragma once
// A network link's address as the operator writes it: "rfc2217://HOST:PORT" for a port server that
// speaks RFC 2217 (the line's rate follows the tool), "tcp://HOST:PORT" for a raw bridge that keeps
// its own rate. HOST may be a name, an IPv4 address or a bracketed IPv6 address.

#include <string>

namespace vr::link {

struct NetworkAddress {
    bool rfc2217 = true;
    std::string host;
    std::string port;

    // Whether the text names a network link at all (by its scheme), valid or not.
    static bool Names(const std::string& text);
    // False with `why` for a text that names no usable address.
    static bool Parse(const std::string& text, NetworkAddress& address, std::string& why);
    // "HOST:PORT" as the messages name it.
    std::string HostPort() const;
};

}  // namespace vr::link
