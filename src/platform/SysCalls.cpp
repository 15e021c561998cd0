#include "platform/SysCalls.h"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Deadline.h"

namespace vr::platform {
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
int RealIoctlPtr(int fd, unsigned long request, void* arg) {
    return ::ioctl(fd, request, arg);
}

const SysCalls::Ops kReal = {RealOpen,    ::close,     ::read,       ::write,      ::poll,  RealIoctlInt, RealIoctlNone,
                             ::tcgetattr, ::tcsetattr, ::eventfd,    ::stat,       ::lstat, ::access,     ::fstat,
                             ::socket,    ::connect,   ::getsockopt, ::setsockopt, ::send,  ::recv};

template <class Call>
auto Retry(Call call) {
    for (;;) {
        auto r = call();
        if (r < 0 && errno == EINTR) continue;
        return r;
    }
}

}  // namespace

const SysCalls& SysCalls::Real() {
    static const SysCalls real(kReal);
    return real;
}

const SysCalls::Ops& SysCalls::RealOps() {
    return kReal;
}

SysCalls::SysCalls(const Ops& ops, IoctlPtrCall ioctlPtr, std::string root)
    : ops_(&ops), ioctlPtr_(ioctlPtr != nullptr ? ioctlPtr : RealIoctlPtr), root_(std::move(root)) {}

int SysCalls::Open(const char* path, int flags) const {
    return Retry([&] { return ops_->open(path, flags); });
}
int SysCalls::Close(int fd) const {
    return ops_->close(fd);
}
ssize_t SysCalls::Read(int fd, void* buffer, size_t count) const {
    return Retry([&] { return ops_->read(fd, buffer, count); });
}
ssize_t SysCalls::Write(int fd, const void* buffer, size_t count) const {
    return Retry([&] { return ops_->write(fd, buffer, count); });
}

int SysCalls::Poll(pollfd* fds, nfds_t count, std::chrono::milliseconds timeout) const {
    if (timeout.count() < 0) return Retry([&] { return ops_->poll(fds, count, -1); });
    const Deadline deadline(timeout);
    for (;;) {
        const int r = ops_->poll(fds, count, static_cast<int>(deadline.Remaining().count()));
        if (r < 0 && errno == EINTR) continue;
        return r;
    }
}

int SysCalls::IoctlInt(int fd, unsigned long request, int* arg) const {
    return Retry([&] { return ops_->ioctlInt(fd, request, arg); });
}
int SysCalls::IoctlNone(int fd, unsigned long request) const {
    return Retry([&] { return ops_->ioctlNone(fd, request); });
}
int SysCalls::IoctlPtr(int fd, unsigned long request, void* arg) const {
    return Retry([&] { return ioctlPtr_(fd, request, arg); });
}
int SysCalls::TcGetAttr(int fd, termios* attributes) const {
    return Retry([&] { return ops_->tcgetattr(fd, attributes); });
}
int SysCalls::TcSetAttr(int fd, int when, const termios* attributes) const {
    return Retry([&] { return ops_->tcsetattr(fd, when, attributes); });
}
int SysCalls::EventFd(unsigned int initial, int flags) const {
    return ops_->eventfd(initial, flags);
}
int SysCalls::Stat(const std::string& path, struct stat& status) const {
    return Retry([&] { return ops_->stat(path.c_str(), &status); });
}
int SysCalls::Lstat(const std::string& path, struct stat& status) const {
    return Retry([&] { return ops_->lstat(path.c_str(), &status); });
}
int SysCalls::Access(const std::string& path, int mode) const {
    return Retry([&] { return ops_->access(path.c_str(), mode); });
}

int SysCalls::Fstat(int fd, struct stat& status) const {
    return Retry([&] { return ops_->fstat(fd, &status); });
}
int SysCalls::Socket(int domain, int type, int protocol) const {
    return ops_->socket(domain, type, protocol);
}
int SysCalls::Connect(int fd, const sockaddr* address, socklen_t length) const {
    return ops_->connect(fd, address, length);
}
int SysCalls::GetSockOpt(int fd, int level, int name, void* value, socklen_t* length) const {
    return ops_->getsockopt(fd, level, name, value, length);
}
int SysCalls::SetSockOpt(int fd, int level, int name, const void* value, socklen_t length) const {
    return ops_->setsockopt(fd, level, name, value, length);
}
ssize_t SysCalls::Send(int fd, const void* buffer, size_t count, int flags) const {
    return Retry([&] { return ops_->send(fd, buffer, count, flags); });
}
ssize_t SysCalls::Recv(int fd, void* buffer, size_t count, int flags) const {
    return Retry([&] { return ops_->recv(fd, buffer, count, flags); });
}

}  // namespace vr::platform
