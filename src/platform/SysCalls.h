#pragma once
// The one thin layer through which the tool reaches the operating system's files and devices. Each
// wrapper retries EINTR. The table of raw calls, the call for pointer ioctls and the folder that
// stands for "/" are the object's own: whoever opens a port or looks at a file is handed one, so a
// test injects EIO, EAGAIN, EACCES or a hang-up, or a prepared sysfs tree, for its own objects only,
// and two sessions in one process never see each other's.

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <termios.h>

#include <chrono>
#include <string>

namespace vr::platform {

class SysCalls {
public:
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
        int (*stat)(const char* path, struct stat* status);
        int (*lstat)(const char* path, struct stat* status);
        int (*access)(const char* path, int mode);
        int (*fstat)(int fd, struct stat* status);
        int (*socket)(int domain, int type, int protocol);
        int (*connect)(int fd, const sockaddr* address, socklen_t length);
        int (*getsockopt)(int fd, int level, int name, void* value, socklen_t* length);
        int (*setsockopt)(int fd, int level, int name, const void* value, socklen_t length);
        ssize_t (*send)(int fd, const void* buffer, size_t count, int flags);
        ssize_t (*recv)(int fd, void* buffer, size_t count, int flags);
    };
    // TIOCGSERIAL and TIOCSSERIAL take a pointer argument.
    using IoctlPtrCall = int (*)(int fd, unsigned long request, void* arg);

    // The real calls on the machine's own root.
    static const SysCalls& Real();
    static const Ops& RealOps();

    // `ioctlPtr` nullptr: the real ioctl. `root` stands for "/" where sysfs is read and written (the
    // adapter's latency_timer); empty is the machine itself.
    explicit SysCalls(const Ops& ops, IoctlPtrCall ioctlPtr = nullptr, std::string root = {});

    int Open(const char* path, int flags) const;
    int Close(int fd) const;  // never retried: Linux has released the descriptor even on EINTR
    ssize_t Read(int fd, void* buffer, size_t count) const;
    ssize_t Write(int fd, const void* buffer, size_t count) const;
    // A negative timeout waits without limit; after EINTR the wait goes on for what is left.
    int Poll(pollfd* fds, nfds_t count, std::chrono::milliseconds timeout) const;
    int IoctlInt(int fd, unsigned long request, int* arg) const;
    int IoctlNone(int fd, unsigned long request) const;
    int IoctlPtr(int fd, unsigned long request, void* arg) const;
    int TcGetAttr(int fd, termios* attributes) const;
    int TcSetAttr(int fd, int when, const termios* attributes) const;
    int EventFd(unsigned int initial, int flags) const;
    int Stat(const std::string& path, struct stat& status) const;
    int Lstat(const std::string& path, struct stat& status) const;
    int Access(const std::string& path, int mode) const;
    int Fstat(int fd, struct stat& status) const;
    int Socket(int domain, int type, int protocol) const;
    // Never retried: after EINTR the connection goes on being made, and a second call would fail.
    int Connect(int fd, const sockaddr* address, socklen_t length) const;
    int GetSockOpt(int fd, int level, int name, void* value, socklen_t* length) const;
    int SetSockOpt(int fd, int level, int name, const void* value, socklen_t length) const;
    ssize_t Send(int fd, const void* buffer, size_t count, int flags) const;
    ssize_t Recv(int fd, void* buffer, size_t count, int flags) const;

    const std::string& Root() const { return root_; }

private:
    const Ops* ops_;
    IoctlPtrCall ioctlPtr_;
    std::string root_;
};

}  // namespace vr::platform
