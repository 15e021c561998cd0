#pragma once
// A small RFC 2217 port server on the loopback, scripted for what a real one will not do on demand:
// refuse a rate, answer late or never, refuse the port option, cut every byte it sends into its own
// segment, notify modem and line state unasked, drop the connection after so many data bytes. It
// decodes what the client sends by itself (so the client's encoding is checked independently) and
// answers each data line ending in CR with the line's bytes, as an echo camera would; or, given a
// device (the virtual camera's pseudo-terminal), passes the data both ways and sets the device's
// rate as the client asks, as a port server in front of a camera does.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "link/LineSettings.h"
#include "platform/SysCalls.h"

namespace vr::test {

class ScriptedPortServer {
public:
    struct Script {
        std::set<uint32_t> refusedRates{};
        std::chrono::milliseconds rateReplyDelay{0};
        bool neverConfirmRate = false;
        bool refuseComPort = false;
        bool byteBySegment = false;
        bool notifyUnasked = false;
        std::size_t dropAfterDataBytes = 0;  // 0: never
        std::string signature = "scripted server";
        std::string device{};  // empty: the echo camera
    };

    explicit ScriptedPortServer(Script script) : script_(std::move(script)) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 4) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~ScriptedPortServer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (listener_ >= 0) ::close(listener_);
    }

    uint16_t Port() const { return port_; }
    std::string Address(const char* scheme = "rfc2217") const {
        return std::string(scheme) + "://127.0.0.1:" + std::to_string(port_);
    }

    // What the clients sent, decoded: data bytes, option commands as "WILL 44", subnegotiations of
    // the port option as their command byte and value.
    struct Seen {
        std::string data;
        std::vector<std::string> commands;
        std::vector<std::pair<uint8_t, std::string>> subnegotiations;
        int connections = 0;
        uint32_t rate = 9600;
    };
    Seen Snapshot() {
        std::lock_guard lock(mutex_);
        return seen_;
    }

private:
    static constexpr uint8_t kIac = 255, kSb = 250, kSe = 240;

    void Send(int fd, const std::string& bytes) {
        if (!script_.byteBySegment) {
            (void)::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            return;
        }
        for (const char c : bytes) {
            (void)::send(fd, &c, 1, MSG_NOSIGNAL);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    static std::string Sub(uint8_t command, const std::string& value) {
        std::string bytes{char(kIac), char(kSb), char(44), char(command)};
        for (const char c : value) {
            bytes.push_back(c);
            if (uint8_t(c) == kIac) bytes.push_back(c);
        }
        return bytes + std::string{char(kIac), char(kSe)};
    }
    static std::string Quad(uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }
    static std::string Doubled(const std::string& data) {
        std::string out;
        for (const char c : data) {
            out.push_back(c);
            if (uint8_t(c) == kIac) out.push_back(c);
        }
        return out;
    }

    void Serve() {
        while (!stop_) {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) continue;
            {
                std::lock_guard lock(mutex_);
                ++seen_.connections;
            }
            Session(fd);
            ::close(fd);
        }
    }

    void OnSubnegotiation(int fd, const std::string& payload) {
        if (payload.empty()) return;
        const auto command = uint8_t(payload[0]);
        const std::string value = payload.substr(1);
        uint32_t rate = 0;
        {
            std::lock_guard lock(mutex_);
            seen_.subnegotiations.emplace_back(command, value);
            if (command == 1 && value.size() == 4) {
                const auto* v = reinterpret_cast<const uint8_t*>(value.data());
                const uint32_t asked = uint32_t(v[0]) << 24 | uint32_t(v[1]) << 16 | uint32_t(v[2]) << 8 | v[3];
                if (script_.refusedRates.count(asked) == 0) {
                    seen_.rate = asked;
                    SetDeviceRate(asked);
                }
            }
            rate = seen_.rate;
        }
        if (command == 0) Send(fd, Sub(100, script_.signature));
        if (command == 1 && !script_.neverConfirmRate) {
            std::this_thread::sleep_for(script_.rateReplyDelay);
            if (script_.notifyUnasked) Send(fd, Sub(107, std::string(1, char(0x30))) + Sub(106, std::string(1, 0)));
            Send(fd, Sub(101, Quad(rate)));
        }
    }

    // False once the script drops the connection.
    bool OnData(uint8_t b) {
        {
            std::lock_guard lock(mutex_);
            seen_.data.push_back(char(b));
        }
        if (script_.dropAfterDataBytes != 0 && ++dataBytes_ >= script_.dropAfterDataBytes) return false;
        if (device_ >= 0) return ::write(device_, &b, 1) == 1;
        line_.push_back(char(b));
        if (b == '\r') {
            Send(fd_, Doubled(line_) + "\n");
            line_.clear();
        }
        return true;
    }

    // As a port server sets its device for the client: raw, 8N1, the rate asked.
    void SetDeviceRate(uint32_t rate) {
        if (device_ < 0) return;
        link::LineFormat format;
        format.rate = rate;
        std::string failure;
        (void)link::ApplyLineFormat(platform::SysCalls::Real(), device_, format, failure);
    }

    void Session(int fd) {
        if (!script_.device.empty()) {
            device_ = ::open(script_.device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
            SetDeviceRate(9600);
        }
        SessionLoop(fd);
        if (device_ >= 0) ::close(device_);
        device_ = -1;
    }

    void SessionLoop(int fd) {
        if (script_.notifyUnasked) Send(fd, std::string{char(kIac), char(253), char(24)} + Sub(107, "\x10"));
        enum { Data, Iac, Verb, SbData, SbIac } state = Data;
        uint8_t verb = 0;
        std::string payload;
        line_.clear();
        dataBytes_ = 0;
        fd_ = fd;
        while (!stop_) {
            pollfd p[2] = {{fd, POLLIN, 0}, {device_, POLLIN, 0}};
            if (::poll(p, device_ >= 0 ? 2 : 1, 20) <= 0) continue;
            if (device_ >= 0 && (p[1].revents & POLLIN) != 0) {
                char from[512];
                const ssize_t got = ::read(device_, from, sizeof from);
                if (got > 0) Send(fd, Doubled(std::string(from, static_cast<size_t>(got))));
            }
            if ((p[0].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
            char buffer[512];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) return;
            for (ssize_t i = 0; i < n; ++i) {
                const auto b = uint8_t(buffer[i]);
                switch (state) {
                    case Data:
                        if (b == kIac)
                            state = Iac;
                        else if (!OnData(b))
                            return;
                        break;
                    case Iac:
                        state = Data;
                        if (b == kIac) {
                            if (!OnData(b)) return;
                            break;
                        }
                        if (b == kSb) {
                            payload.clear();
                            state = SbData;
                            break;
                        }
                        if (b >= 251 && b <= 254) {
                            verb = b;
                            state = Verb;
                        }
                        break;
                    case Verb: {
                        static const char* names[] = {"WILL", "WONT", "DO", "DONT"};
                        {
                            std::lock_guard lock(mutex_);
                            seen_.commands.push_back(std::string(names[verb - 251]) + " " + std::to_string(b));
                        }
                        if (verb == 251 && b == 44)
                            Send(fd, {char(kIac), char(script_.refuseComPort ? 254 : 253), char(44)});
                        if (verb == 253 && (b == 0 || b == 3)) Send(fd, {char(kIac), char(251), char(b)});
                        if (verb == 251 && (b == 0 || b == 3)) Send(fd, {char(kIac), char(253), char(b)});
                        state = Data;
                        break;
                    }
                    case SbData:
                        if (b == kIac)
                            state = SbIac;
                        else
                            payload.push_back(char(b));
                        break;
                    case SbIac:
                        if (b == kIac) {
                            payload.push_back(char(b));
                            state = SbData;
                        } else {
                            // The payload starts with the option byte.
                            if (!payload.empty() && uint8_t(payload[0]) == 44) OnSubnegotiation(fd, payload.substr(1));
                            state = Data;
                        }
                        break;
                }
            }
        }
    }

    Script script_;
    int listener_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    Seen seen_;
    int fd_ = -1;
    int device_ = -1;
    std::string line_;
    std::size_t dataBytes_ = 0;
};

}  // namespace vr::test
