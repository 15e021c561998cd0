#include "link/LineSettings.h"

#include <termios.h>

#include <cerrno>
#include <cstring>

#include "platform/SysCalls.h"

namespace vr::link {
namespace {

struct RateCode {
    uint32_t rate;
    speed_t code;
};

constexpr RateCode kRateCodes[] = {
    {1200, B1200},   {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
};

bool ToSpeed(uint32_t rate, speed_t& code) {
    for (const auto& r : kRateCodes) {
        if (r.rate == rate) {
            code = r.code;
            return true;
        }
    }
    return false;
}

uint32_t FromSpeed(speed_t code) {
    for (const auto& r : kRateCodes)
        if (r.code == code) return r.rate;
    return 0;
}

std::string Failure(const char* step, int error) {
    return std::string("Error in ") + step + ": " + std::strerror(error);
}

}  // namespace

bool IsLineRate(uint32_t rate) {
    speed_t code;
    return ToSpeed(rate, code);
}

bool ApplyLineFormat(const platform::SysCalls& calls, int fd, const LineFormat& format, std::string& failure) {
    termios t{};
    if (calls.TcGetAttr(fd, &t) != 0) {
        failure = Failure("tcgetattr()", errno);
        return false;
    }
    speed_t speed;
    if (!ToSpeed(format.rate, speed)) {
        failure = Failure("cfsetspeed()", EINVAL);
        return false;
    }
    if (cfsetispeed(&t, speed) != 0 || cfsetospeed(&t, speed) != 0) {
        failure = Failure("cfsetspeed()", errno);
        return false;
    }
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                                        IXANY | INPCK);
    if (format.xonXoff) t.c_iflag |= IXON | IXOFF;
    if (format.parityCheck) t.c_iflag |= INPCK;
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    switch (format.byteSize) {
        case 5:
            t.c_cflag |= CS5;
            break;
        case 6:
            t.c_cflag |= CS6;
            break;
        case 7:
            t.c_cflag |= CS7;
            break;
        default:
            t.c_cflag |= CS8;
            break;
    }
    if (format.stopBits != 0) t.c_cflag |= CSTOPB;
    // HUPCL is left as the driver has it, as the DTR handling on close is the driver's choice.
    t.c_cflag |= CREAD | CLOCAL;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    // TCSAFLUSH drops what the device received before: a reply left over from an earlier run or
    // from the other rate would otherwise be read as the answer to the next command.
    if (calls.TcSetAttr(fd, TCSAFLUSH, &t) != 0) {
        failure = Failure("tcsetattr()", errno);
        return false;
    }
    // tcsetattr succeeds when any part was taken; a driver that refused the rate must not pass
    // for one that runs at it.
    termios check{};
    if (calls.TcGetAttr(fd, &check) != 0) {
        failure = Failure("tcgetattr()", errno);
        return false;
    }
    if (cfgetospeed(&check) != speed) {
        failure = "Error in tcsetattr(): the device did not take " + std::to_string(format.rate) + " bit/s";
        return false;
    }
    return true;
}

uint32_t CurrentLineRate(const platform::SysCalls& calls, int fd) {
    termios t{};
    if (calls.TcGetAttr(fd, &t) != 0) return 0;
    return FromSpeed(cfgetospeed(&t));
}

}  // namespace vr::link
