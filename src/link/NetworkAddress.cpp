#include "link/NetworkAddress.h"

#include <string_view>

namespace vr::link {
namespace {

constexpr std::string_view kRfc2217Scheme = "rfc2217://";
constexpr std::string_view kTcpScheme = "tcp://";

bool StartsWith(const std::string& text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool ValidPort(const std::string& port) {
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos) return false;
    const long value = std::stol(port);
    return value >= 1 && value <= 65535;
}

}  // namespace

bool NetworkAddress::Names(const std::string& text) {
    return StartsWith(text, kRfc2217Scheme) || StartsWith(text, kTcpScheme);
}

bool NetworkAddress::Parse(const std::string& text, NetworkAddress& address, std::string& why) {
    address = {};
    std::string rest;
    if (StartsWith(text, kRfc2217Scheme)) {
        rest = text.substr(kRfc2217Scheme.size());
    } else if (StartsWith(text, kTcpScheme)) {
        address.rfc2217 = false;
        rest = text.substr(kTcpScheme.size());
    } else {
        why = "\"" + text + "\" is no network address; write rfc2217://HOST:PORT or tcp://HOST:PORT";
        return false;
    }
    if (!rest.empty() && rest.back() == '/') rest.pop_back();
    std::string::size_type colon;
    if (!rest.empty() && rest.front() == '[') {
        const auto close = rest.find(']');
        if (close == std::string::npos || close + 1 >= rest.size() || rest[close + 1] != ':') {
            why = "\"" + text + "\" has no port after the bracketed address";
            return false;
        }
        address.host = rest.substr(1, close - 1);
        colon = close + 1;
    } else {
        colon = rest.rfind(':');
        if (colon == std::string::npos) {
            why = "\"" + text + "\" names no port; write HOST:PORT";
            return false;
        }
        address.host = rest.substr(0, colon);
    }
    address.port = rest.substr(colon + 1);
    if (address.host.empty()) {
        why = "\"" + text + "\" names no host";
        return false;
    }
    if (!ValidPort(address.port)) {
        why = "\"" + address.port + "\" is no TCP port (1 to 65535)";
        return false;
    }
    return true;
}

std::string NetworkAddress::HostPort() const {
    const bool v6 = host.find(':') != std::string::npos;
    return (v6 ? "[" + host + "]" : host) + ":" + port;
}

}  // namespace vr::link
