#pragma once
// The one thin layer through which the serial link reaches the operating system. Each wrapper
// retries EINTR; the table of raw calls can be replaced by a test to inject EIO, EAGAIN, EACCES or
// a hang-up without real hardware.

#include <poll.h>
#include <sys/types.h>
#include <termios.h>

#include <chrono>
#include <string>

namespace vr::platform::sys {

struct Ops {
    int (*open)(const char* path, int flags);
    int (*close)(int fd);
    ssize_t (*read)(int fd, void* buffer, size_t count);
    ssize_t (*write)(int fd, const void* buffer, size_t count);
    int (*poll)(pollfd* fds, nfds_t count, int timeoutMs);
    int (*ioctlInt)(int fd, unsigned long request, int* arg);  // TIOCMBIS and friends
    int (*ioctlNone)(int fd, unsigned long request);           // TIOCEXCL, TIOCNXCL
    int (*tcgetattr)(int fd, termios* attributes);
    int (*tcsetattr)(int fd, int when, const termios* attributes);
    int (*eventfd)(unsigned int initial, int flags);
};

// The real calls.
const Ops& RealOps();
// The calls in use; RealOps() unless a test installed others.
const Ops& CurrentOps();
// Installs ops (nullptr restores the real ones). Only while no port is open.
void SetOps(const Ops* ops);

int Open(const char* path, int flags);
int Close(int fd);  // never retried: Linux has released the descriptor even on EINTR
ssize_t Read(int fd, void* buffer, size_t count);
ssize_t Write(int fd, const void* buffer, size_t count);
// A negative timeout waits without limit; after EINTR the wait goes on for what is left.
int Poll(pollfd* fds, nfds_t count, std::chrono::milliseconds timeout);
int IoctlInt(int fd, unsigned long request, int* arg);
int IoctlNone(int fd, unsigned long request);
int TcGetAttr(int fd, termios* attributes);
int TcSetAttr(int fd, int when, const termios* attributes);
int EventFd(unsigned int initial, int flags);

// TIOCGSERIAL and TIOCSSERIAL (a pointer argument), kept apart from Ops so that the tables tests
// write for the calls above stay complete. A test installs its own call (nullptr: the real ioctl)
// only while no port is open.
using IoctlPtrCall = int (*)(int fd, unsigned long request, void* arg);
void SetIoctlPtr(IoctlPtrCall call);
int IoctlPtr(int fd, unsigned long request, void* arg);

// The folder that stands for "/" where the link reads and writes sysfs (the adapter's
// latency_timer); empty is the machine itself. Tests point it at a prepared tree.
void SetSysRoot(const std::string& root);
std::string SysRoot();

}  // namespace vr::platform::sys
