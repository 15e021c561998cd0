#include "link/TcpConnection.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

namespace vr::link {
namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point end) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for the events until the end; the poll result (0 on time-out).
int PollUntil(const platform::SysCalls& calls, int fd, short events, Clock::time_point end) {
    pollfd p{fd, events, 0};
    return calls.Poll(&p, 1, std::chrono::milliseconds(RemainingMs(end)));
}

std::string ConnectFailure(const std::string& peer, int error) {
    switch (error) {
        case ECONNREFUSED:
            return "the connection to " + peer + " was refused: no port server listens there";
        case EHOSTUNREACH:
        case ENETUNREACH:
            return peer + " is unreachable: " + std::strerror(error);
        case ETIMEDOUT:
            return peer + " did not answer the connection";
        default:
            return "cannot connect to " + peer + ": " + std::strerror(error);
    }
}

}  // namespace

bool TcpConnection::Connect(const std::string& host, const std::string& port, std::chrono::milliseconds timeout,
                            std::string& why) {
    Close();
    const bool v6 = host.find(':') != std::string::npos;
    peer_ = (v6 ? "[" + host + "]" : host) + ":" + port;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (const int rc = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found); rc != 0) {
        why = "cannot find the host " + host + ": " + ::gai_strerror(rc);
        return false;
    }
    const Clock::time_point end = Clock::now() + timeout;
    int error = ETIMEDOUT;
    for (addrinfo* a = found; a != nullptr && fd_ < 0; a = a->ai_next) {
        const int fd = calls_.Socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) {
            error = errno;
            continue;
        }
        int rc = calls_.Connect(fd, a->ai_addr, a->ai_addrlen);
        if (rc != 0 && errno == EINPROGRESS) {
            const int ready = PollUntil(calls_, fd, POLLOUT, end);
            socklen_t length = sizeof error;
            if (ready <= 0) {
                error = ready == 0 ? ETIMEDOUT : errno;
            } else if (calls_.GetSockOpt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
                error = errno;
            }
            rc = ready > 0 && error == 0 ? 0 : -1;
        } else if (rc != 0) {
            error = errno;
        }
        if (rc == 0) {
            fd_ = fd;
        } else if (calls_.Close(fd) != 0) {
            // Nothing was sent on it; the failure to connect is what the operator needs to hear.
        }
    }
    ::freeaddrinfo(found);
    if (fd_ < 0) {
        why = ConnectFailure(peer_, error);
        return false;
    }
    // Each command is a few bytes that wait for an answer: no coalescing. Keep-alive finds a peer
    // that vanished without closing while the line is idle.
    const int on = 1;
    if (calls_.SetSockOpt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) != 0 ||
        calls_.SetSockOpt(fd_, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on) != 0) {
        why = "cannot set up the connection to " + peer_ + ": " + std::strerror(errno);
        Close();
        return false;
    }
    return true;
}

void TcpConnection::Close() {
    if (fd_ < 0) return;
    // A close that fails leaves nothing to do: the descriptor is gone either way on Linux.
    (void)calls_.Close(fd_);
    fd_ = -1;
}

bool TcpConnection::SendAll(std::string_view bytes, std::chrono::milliseconds timeout, std::string& why) {
    if (fd_ < 0) {
        why = "the connection is closed";
        return false;
    }
    const Clock::time_point end = Clock::now() + timeout;
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = calls_.Send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const int ready = PollUntil(calls_, fd_, POLLOUT, end);
            if (ready > 0) continue;
            why = ready == 0
                      ? "the port server at " + peer_ + " took nothing for " + std::to_string(timeout.count()) + " ms"
                      : "the connection to " + peer_ + " broke: " + std::strerror(errno);
            return false;
        }
        why = "the connection to " + peer_ + " broke: " + std::strerror(n < 0 ? errno : EPIPE);
        return false;
    }
    return true;
}

TcpConnection::Received TcpConnection::Receive(std::string& into, std::chrono::milliseconds timeout, std::string& why) {
    if (fd_ < 0) {
        why = "the connection is closed";
        return Received::Failed;
    }
    const int ready = PollUntil(calls_, fd_, POLLIN, Clock::now() + timeout);
    if (ready < 0) {
        why = "cannot wait for " + peer_ + ": " + std::strerror(errno);
        return Received::Failed;
    }
    if (ready == 0) return Received::Nothing;
    char buffer[4096];
    const ssize_t n = calls_.Recv(fd_, buffer, sizeof buffer, 0);
    if (n > 0) {
        into.append(buffer, static_cast<std::size_t>(n));
        return Received::Bytes;
    }
    if (n == 0) {
        why = "the port server at " + peer_ + " closed the connection";
        return Received::Closed;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK) return Received::Nothing;
    why = "the connection to " + peer_ + " broke: " + std::strerror(errno);
    return Received::Failed;
}

}  // namespace vr::link
