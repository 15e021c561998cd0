#pragma once
// One TCP connection to a port server: connect within a time-out (no delay, keep-alive), send all
// of a text, receive what has arrived. Every failure comes back as a sentence the operator can act on.

#include <chrono>
#include <string>
#include <string_view>

#include "platform/SysCalls.h"

namespace vr::link {

class TcpConnection {
public:
    // The connection reaches the system through `calls` (the real ones unless a test gives its own).
    explicit TcpConnection(const platform::SysCalls& calls = platform::SysCalls::Real()) : calls_(calls) {}
    ~TcpConnection() { Close(); }
    TcpConnection(const TcpConnection&) = delete;
    TcpConnection& operator=(const TcpConnection&) = delete;

    // False with `why` ("the connection to 127.0.0.1:2217 was refused: no port server listens there").
    bool Connect(const std::string& host, const std::string& port, std::chrono::milliseconds timeout, std::string& why);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // Sends every byte, waiting up to the time-out for room; false with `why` when the peer is gone.
    bool SendAll(std::string_view bytes, std::chrono::milliseconds timeout, std::string& why);
    enum class Received { Bytes, Nothing, Closed, Failed };
    // Appends what arrives within the time-out (0: what is there now) to `into`.
    Received Receive(std::string& into, std::chrono::milliseconds timeout, std::string& why);

private:
    const platform::SysCalls& calls_;
    int fd_ = -1;
    std::string peer_;
};

}  // namespace vr::link
