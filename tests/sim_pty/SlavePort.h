#pragma once
// The program's side of the virtual camera's pty, opened the plain way: open(2) and termios.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

namespace vr::sim::test {

inline const std::string kNoAnswer = "<no answer>";

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

    bool SetRate(uint32_t rate) {
        termios t{};
        if (::tcgetattr(fd_, &t) != 0) return false;
        ::cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        const speed_t speed = rate == 19200 ? B19200 : rate == 57600 ? B57600 : rate == 115200 ? B115200 : B9600;
        return ::cfsetspeed(&t, speed) == 0 && ::tcsetattr(fd_, TCSANOW, &t) == 0;
    }

    bool Write(const std::string& bytes) { return ::write(fd_, bytes.data(), bytes.size()) == ssize_t(bytes.size()); }

    // The next line with its line end; kNoAnswer when no whole line arrives in time.
    std::string ReadRawLine(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        size_t lf;
        while ((lf = buffer_.find('\n')) == std::string::npos) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd p{fd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return kNoAnswer;
            char chunk[2048];
            const ssize_t n = ::read(fd_, chunk, sizeof chunk);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (n <= 0) return kNoAnswer;
            buffer_.append(chunk, static_cast<size_t>(n));
        }
        std::string line = buffer_.substr(0, lf + 1);
        buffer_.erase(0, lf + 1);
        return line;
    }
    // The same without CR LF.
    std::string ReadLine(std::chrono::milliseconds timeout) {
        std::string line = ReadRawLine(timeout);
        if (line == kNoAnswer) return line;
        line.pop_back();
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
    }
    std::string Ask(const std::string& line, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        return Write(line + "\r\n") ? ReadLine(timeout) : "<write failed>";
    }

    // True once the far side is gone: reads end with EIO or end of file.
    bool HungUp(std::chrono::milliseconds timeout) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(timeout.count())) <= 0) return false;
        char c;
        const ssize_t n = ::read(fd_, &c, 1);
        return n == 0 || (n < 0 && errno == EIO);
    }

private:
    int fd_ = -1;
    std::string buffer_;
};

}  // namespace vr::sim::test
