#pragma once
// The program's side of the virtual camera's pty, opened the plain way: open(2) and termios.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <string>

namespace vr::sim::test {

class SlavePort {
public:
    explicit SlavePort(const std::string& path, uint32_t rate = 9600) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ >= 0) SetRate(rate);
    }
    ~SlavePort() {
        if (fd_ >= 0) ::close(fd_);
    }
    SlavePort(const SlavePort&) = delete;
    SlavePort& operator=(const SlavePort&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }

    bool SetRate(uint32_t rate) {
        termios t{};
        if (::tcgetattr(fd_, &t) != 0) return false;
        ::cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        const speed_t speed = rate == 19200    ? B19200
                              : rate == 38400  ? B38400
                              : rate == 57600  ? B57600
                              : rate == 115200 ? B115200
                                               : B9600;
        ::cfsetispeed(&t, speed);
        ::cfsetospeed(&t, speed);
        return ::tcsetattr(fd_, TCSANOW, &t) == 0;
    }

    bool Write(const std::string& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (n < 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }

    // The next line without its CR LF (with it when keepEnd); none when no whole line arrives in time.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout, bool keepEnd = false) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const size_t lf = buffer_.find('\n');
            if (lf != std::string::npos) {
                std::string line = buffer_.substr(0, lf + 1);
                buffer_.erase(0, lf + 1);
                if (keepEnd) return line;
                line.pop_back();
                if (!line.empty() && line.back() == '\r') line.pop_back();
                return line;
            }
            if (!Fill(deadline)) return std::nullopt;
        }
    }

    // Sends a line and returns the answer, or "<no answer>".
    std::string Ask(const std::string& line, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        if (!Write(line + "\r\n")) return "<write failed>";
        return ReadLine(timeout).value_or("<no answer>");
    }

    // Everything that arrives within the time, whole lines or not.
    std::string Drain(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (Fill(deadline)) {
        }
        return std::exchange(buffer_, {});
    }

    // What a read says once the far side is gone: -1 with EIO, or 0.
    bool HungUp(std::chrono::milliseconds timeout) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(timeout.count())) <= 0) return false;
        char c;
        const ssize_t n = ::read(fd_, &c, 1);
        return n == 0 || (n < 0 && errno == EIO) || (p.revents & POLLHUP) != 0;
    }

private:
    bool Fill(std::chrono::steady_clock::time_point deadline) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
        char chunk[2048];
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n <= 0) return n < 0 && (errno == EAGAIN || errno == EINTR);
        buffer_.append(chunk, static_cast<size_t>(n));
        return true;
    }

    int fd_ = -1;
    std::string buffer_;
};

}  // namespace vr::sim::test
