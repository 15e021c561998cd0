#include "link/SerialPort.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "link/LineSettings.h"
#include "link/PortHolders.h"
#include "link/SerialPortList.h"
#include "platform/FileIo.h"
#include "platform/Platform.h"
#include "platform/SysCalls.h"

namespace vr::link {
namespace {

constexpr std::chrono::milliseconds kByteWriteTimeout(1000);
// How long the reader rests while the ring is full before it looks for room again.
constexpr std::chrono::milliseconds kFullRingWait(2);

std::string OsFailure(const char* step, int error) {
    std::string text = std::string("Error in ") + step + ": " + std::strerror(error);
    if (error == EACCES || error == EPERM) text += " (the user may need to be in the dialout group)";
    if (error == EBUSY) text += " (another program is using the port)";
    return text;
}

// The FTDI timer that holds back a short reply until it runs out (16 ms unless set).
std::string SetLatencyTimer(const platform::SysCalls& calls, const std::string& timerFile) {
    if (!platform::FileExists(timerFile, calls)) return {};  // no FTDI chip
    std::string text, error;
    const int ms = platform::ReadWholeFile(timerFile, text, error, 64, calls) ? std::atoi(text.c_str()) : -1;
    if (ms == 0 || ms == 1) return "; latency timer " + std::to_string(ms) + " ms";
    const int fd = calls.Open(timerFile.c_str(), O_WRONLY | O_CLOEXEC);
    bool set = fd >= 0 && calls.Write(fd, "1", 1) == 1;
    const int why = errno;
    if (fd >= 0 && calls.Close(fd) != 0) set = false;
    const std::string was = ms > 0 ? std::to_string(ms) + " ms" : std::string("its value");
    if (set) return "; latency timer " + was + " -> 1 ms";
    return "; latency timer stays at " + was + " (" + timerFile + ": " + std::strerror(why) + "; see vr8200ctl doctor)";
}

// Asks the driver of a USB serial adapter to pass on each byte at once. Empty for other devices.
std::string AskForLowLatency(const platform::SysCalls& calls, int fd, const std::string& device) {
    const std::string name = ResolvedPath(device);
    const std::string tty = name.substr(name.find_last_of('/') + 1);
    const std::string sysDevice = ResolvedPath(calls.Root() + "/sys/class/tty/" + tty + "/device");
    if (sysDevice.find("/usb") == std::string::npos) return {};
    std::string note = device + ": ";
    serial_struct serial{};
    if (calls.IoctlPtr(fd, TIOCGSERIAL, &serial) != 0) {
        note += std::string("low latency not asked for (TIOCGSERIAL: ") + std::strerror(errno) + ")";
    } else if ((serial.flags & ASYNC_LOW_LATENCY) != 0) {
        note += "low latency was on";
    } else {
        serial.flags |= ASYNC_LOW_LATENCY;
        note += calls.IoctlPtr(fd, TIOCSSERIAL, &serial) == 0
                    ? std::string("low latency on")
                    : std::string("low latency refused (TIOCSSERIAL: ") + std::strerror(errno) + ")";
    }
    return note + SetLatencyTimer(calls, sysDevice + "/latency_timer");
}

}  // namespace

CSerialPort::~CSerialPort() {
    Close();
}

int CSerialPort::Fail(const std::string& reason) {
    Close();
    lastError_ = reason;
    platform_.MessageBox("Failed to initialize " + name_ + " port!\n" + reason, platform::kAppTitle,
                         platform::MsgIcon::Exclamation);
    return 0;
}

int CSerialPort::Open(const std::string& name, uint32_t rate, int byteSize, int stopBits, int xonXoff,
                      int parityCheck) {
    if (IsOpen()) Close();
    name_ = name;
    lastError_.clear();
    lowLatencyNote_.clear();
    holderNote_.clear();
    fd_ = calls_.Open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return Fail(OsFailure("open()", errno));
    // Exclusive use, as no second program may talk to the camera at the same time.
    if (calls_.IoctlNone(fd_, TIOCEXCL) != 0) return Fail(OsFailure("ioctl(TIOCEXCL)", errno));
    // TIOCEXCL does not stop root: the advisory lock does, and names who holds the port.
    std::string holder;
    if (!lock_.Acquire(fd_, name, holder)) return Fail(holder);

    LineFormat format;
    format.rate = rate;
    format.byteSize = byteSize;
    format.stopBits = stopBits;
    format.xonXoff = xonXoff == 1;
    format.parityCheck = parityCheck != 0;
    std::string failure;
    if (!ApplyLineFormat(calls_, fd_, format, failure)) return Fail(failure);

    // Some cameras and adapters power their line drivers from DTR. A pseudo-terminal has no modem
    // lines (ENOTTY/EINVAL): nothing to raise there.
    int dtr = TIOCM_DTR;
    if (calls_.IoctlInt(fd_, TIOCMBIS, &dtr) != 0 && errno != ENOTTY && errno != EINVAL)
        return Fail(OsFailure("ioctl(TIOCMBIS)", errno));

    // A failure here only costs speed: it is reported, never a reason to refuse the port.
    lowLatencyNote_ = AskForLowLatency(calls_, fd_, name);
    // A program that ignores lock files and has the device open would take replies meant for us.
    const std::string device = ResolvedPath(name);
    holderNote_ = DescribeOpenHolders(device, FindPortHolders("", device, static_cast<int>(::getpid()), calls_));

    wakeFd_ = calls_.EventFd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd_ < 0) return Fail(OsFailure("eventfd()", errno));

    ring_.Reset();
    run_.store(true, std::memory_order_release);
    lost_.store(false, std::memory_order_release);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lostReason_.clear();
    }
    try {
        reader_ = std::thread(&CSerialPort::ReaderLoop, this);
    } catch (const std::system_error& e) {
        return Fail(std::string("Error in starting the reader thread: ") + e.what());
    }
    return 1;
}

void CSerialPort::Close() {
    run_.store(false, std::memory_order_release);
    if (reader_.joinable()) {
        const uint64_t one = 1;
        // An eventfd write fails only when its counter would overflow, which one write cannot do;
        // the reader also checks the run flag, should it be awake already.
        const ssize_t written = calls_.Write(wakeFd_, &one, sizeof one);
        (void)written;
        reader_.join();
    }
    if (wakeFd_ >= 0) {
        calls_.Close(wakeFd_);
        wakeFd_ = -1;
    }
    lock_.Release();
    if (fd_ >= 0) {
        // Give up exclusive use so the next open (ours or another program's) is not refused; a
        // failure here changes nothing, as the close below releases the device anyway.
        (void)calls_.IoctlNone(fd_, TIOCNXCL);
        calls_.Close(fd_);
        fd_ = -1;
    }
}

int CSerialPort::Write(const char* bytes, int count) {
    if (!IsOpen() || count < 1) return 0;
    for (int i = 0; i < count; ++i) {
        if (calls_.Write(fd_, bytes + i, 1) == 1) continue;
        if (errno != EAGAIN) continue;  // a lost line: the command that needs the byte times out
        pollfd p{fd_, POLLOUT, 0};
        if (calls_.Poll(&p, 1, kByteWriteTimeout) > 0 && (p.revents & POLLOUT) != 0) {
            // A byte that still does not go is dropped: the line offers no way to report it.
            (void)calls_.Write(fd_, bytes + i, 1);
        }
    }
    return 1;
}

int CSerialPort::Read(char* buffer, int count) {
    if (!IsOpen() || count < 1) return 0;
    return ring_.Pop(buffer, count);
}

bool CSerialPort::WaitReadable(std::chrono::milliseconds timeout) {
    if (ring_.Available() > 0) return true;
    std::unique_lock<std::mutex> lock(mutex_);
    // A lost line wakes the waiter too: nothing more will come, so there is nothing to wait for.
    cv_.wait_for(lock, timeout, [this] { return ring_.Available() > 0 || lost_.load(std::memory_order_acquire); });
    return ring_.Available() > 0;
}

std::string CSerialPort::LostReason() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lostReason_;
}

bool CSerialPort::WaitLineLost(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    return cv_.wait_for(lock, timeout, [this] { return lost_.load(std::memory_order_acquire); });
}

uint32_t CSerialPort::LineRate() const {
    return IsOpen() ? CurrentLineRate(calls_, fd_) : 0;
}

void CSerialPort::Notify() {
    // Taking the lock orders this wake-up after a waiter's check of the ring, so none is missed.
    { std::lock_guard<std::mutex> lock(mutex_); }
    cv_.notify_all();
}

void CSerialPort::EndLost(const std::string& reason) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lostReason_ = reason;
        lost_.store(true, std::memory_order_release);
    }
    cv_.notify_all();
}

void CSerialPort::ReaderLoop() {
    char buffer[RingBuffer::kSize];
    while (run_.load(std::memory_order_acquire)) {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        if (calls_.Poll(fds, 2, std::chrono::milliseconds(-1)) < 0) {
            EndLost(std::string("poll(): ") + std::strerror(errno));
            return;
        }
        if (fds[1].revents != 0) return;  // Close
        const short events = fds[0].revents;
        if ((events & POLLNVAL) != 0) {
            EndLost("poll(): the device is no longer open");
            return;
        }
        if ((events & POLLIN) != 0) {
            // Only what the ring has room for: the rest waits in the driver until the engine has
            // taken its share, so a reply of 1022 characters and CR LF in one burst loses nothing.
            const int32_t room = RingBuffer::kCapacity - ring_.Available();
            if (room <= 0) {
                pollfd wake{wakeFd_, POLLIN, 0};
                if (calls_.Poll(&wake, 1, kFullRingWait) < 0) {
                    EndLost(std::string("poll(): ") + std::strerror(errno));
                    return;
                }
                continue;
            }
            const ssize_t n = calls_.Read(fd_, buffer, static_cast<size_t>(room));
            if (n > 0) {
                ring_.Push(buffer, static_cast<int32_t>(n));
                Notify();
                continue;
            }
            if (n < 0 && errno == EAGAIN) continue;
            // Read of 0 is the hang-up of the other side; EIO a device that vanished.
            EndLost(n == 0 ? std::string("the other side hung up") : std::string("read(): ") + std::strerror(errno));
            return;
        }
        if ((events & (POLLHUP | POLLERR)) != 0) {
            // A hang-up with nothing left to read: waiting again would return at once for ever.
            EndLost("the device hung up");
            return;
        }
    }
}

}  // namespace vr::link
