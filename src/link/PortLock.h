#pragma once
// One tool per port: an advisory lock on the open device (flock, which binds root too, unlike
// TIOCEXCL) and the traditional lock file "LCK..name" in /var/lock where that folder is writable,
// so other serial programs that follow the convention keep off as well. A second tool learns who
// holds the port.

#include <string>
#include <vector>

#include "platform/SysCalls.h"

namespace vr::link {

class PortLock {
public:
    // The lock looks at the device through `calls` (the real ones unless a test gives its own).
    explicit PortLock(const platform::SysCalls& calls = platform::SysCalls::Real()) : calls_(calls) {}
    ~PortLock() { Release(); }
    PortLock(const PortLock&) = delete;
    PortLock& operator=(const PortLock&) = delete;

    // Locks the device open on fd. False with `why` ("/dev/ttyUSB0 is in use by process 4711
    // (vr8200ctl)") when another process holds it.
    bool Acquire(int fd, const std::string& device, std::string& why);
    // Removes the lock file (the flock goes with the descriptor).
    void Release();

    // The lock folder: $VR8200_LOCK_DIR when set (tests), else /var/lock.
    static std::string LockFolder();
    // "LCK..ttyUSB0" for /dev/ttyUSB0, "LCK..pts_3" for /dev/pts/3.
    static std::string LockFileName(const std::string& device);
    // A live process other than this one named by a lock file of the device under any of its names
    // (the path as given, the resolved device, its by-id and by-path links); 0 when there is none.
    static int OtherLockHolder(const std::string& device, const std::vector<std::string>& linkFolders = {
                                                              "/dev/serial/by-id", "/dev/serial/by-path"});
    // The process holding an flock on the file, from /proc/locks; 0 when none is found.
    static int FlockHolder(int fd, const platform::SysCalls& calls = platform::SysCalls::Real());
    // "vr8200ctl" for a running process, empty when it is gone.
    static std::string ProgramOf(int pid);

private:
    const platform::SysCalls& calls_;
    std::string lockFile_;
};

}  // namespace vr::link
