#include "platform/SysCalls.h"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>

#include "platform/Deadline.h"

namespace vr::platform::sys {
namespace {

int RealOpen(const char* path, int flags) {
    return ::open(path, flags);
}
int RealIoctlInt(int fd, unsigned long request, int* arg) {
    return ::ioctl(fd, request, arg);
}
int RealIoctlNone(int fd, unsigned long request) {
    return ::ioctl(fd, request);
}

const Ops kReal = {RealOpen,     ::close,       ::read,      ::write,     ::poll,
                   RealIoctlInt, RealIoctlNone, ::tcgetattr, ::tcsetattr, ::eventfd};

// Read by the reader thread too; a test swaps it only while no port is open.
std::atomic<const Ops*> gOps{&kReal};

int RealIoctlPtr(int fd, unsigned long request, void* arg) {
    return ::ioctl(fd, request, arg);
}
std::atomic<IoctlPtrCall> gIoctlPtr{RealIoctlPtr};

std::mutex gSysRootMutex;
std::string gSysRoot;  // guarded by gSysRootMutex

template <class Call>
auto Retry(Call call) {
    for (;;) {
        auto r = call();
        if (r < 0 && errno == EINTR) continue;
        return r;
    }
}

}  // namespace

const Ops& RealOps() {
    return kReal;
}
const Ops& CurrentOps() {
    return *gOps.load(std::memory_order_acquire);
}
void SetOps(const Ops* ops) {
    gOps.store(ops != nullptr ? ops : &kReal, std::memory_order_release);
}

int Open(const char* path, int flags) {
    return Retry([&] { return CurrentOps().open(path, flags); });
}
int Close(int fd) {
    return CurrentOps().close(fd);
}
ssize_t Read(int fd, void* buffer, size_t count) {
    return Retry([&] { return CurrentOps().read(fd, buffer, count); });
}
ssize_t Write(int fd, const void* buffer, size_t count) {
    return Retry([&] { return CurrentOps().write(fd, buffer, count); });
}

int Poll(pollfd* fds, nfds_t count, std::chrono::milliseconds timeout) {
    if (timeout.count() < 0) return Retry([&] { return CurrentOps().poll(fds, count, -1); });
    const platform::Deadline deadline(timeout);
    for (;;) {
        const int r = CurrentOps().poll(fds, count, static_cast<int>(deadline.Remaining().count()));
        if (r < 0 && errno == EINTR) continue;
        return r;
    }
}

int IoctlInt(int fd, unsigned long request, int* arg) {
    return Retry([&] { return CurrentOps().ioctlInt(fd, request, arg); });
}
int IoctlNone(int fd, unsigned long request) {
    return Retry([&] { return CurrentOps().ioctlNone(fd, request); });
}
int TcGetAttr(int fd, termios* attributes) {
    return Retry([&] { return CurrentOps().tcgetattr(fd, attributes); });
}
int TcSetAttr(int fd, int when, const termios* attributes) {
    return Retry([&] { return CurrentOps().tcsetattr(fd, when, attributes); });
}
int EventFd(unsigned int initial, int flags) {
    return CurrentOps().eventfd(initial, flags);
}

void SetIoctlPtr(IoctlPtrCall call) {
    gIoctlPtr.store(call != nullptr ? call : RealIoctlPtr, std::memory_order_release);
}
int IoctlPtr(int fd, unsigned long request, void* arg) {
    const IoctlPtrCall call = gIoctlPtr.load(std::memory_order_acquire);
    return Retry([&] { return call(fd, request, arg); });
}

void SetSysRoot(const std::string& root) {
    std::lock_guard<std::mutex> lock(gSysRootMutex);
    gSysRoot = root;
}
std::string SysRoot() {
    std::lock_guard<std::mutex> lock(gSysRootMutex);
    return gSysRoot;
}

}  // namespace vr::platform::sys
