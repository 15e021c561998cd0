#include "link/PortLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "link/LockNames.h"
#include "link/PortHolders.h"
#include "link/SerialPortList.h"
#include "platform/FileIo.h"

namespace vr::link {
namespace {

std::string InUse(const std::string& device, int pid) {
    if (pid <= 0) return device + " is in use by another process";
    const std::string program = PortLock::ProgramOf(pid);
    return device + " is in use by process " + std::to_string(pid) + (program.empty() ? "" : " (" + program + ")");
}

bool Alive(int pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

// The pid a lock file names: ten digits and a newline by the convention, or binary in old ones.
int PidInLockFile(const std::string& path) {
    std::string text, error;
    if (!platform::ReadWholeFile(path, text, error, 64)) return 0;
    if (text.size() == sizeof(int) && text.find_first_of("0123456789") == std::string::npos) {
        int pid = 0;
        std::memcpy(&pid, text.data(), sizeof pid);
        return pid;
    }
    return std::atoi(text.c_str());
}

}  // namespace

std::string PortLock::LockFolder() {
    const char* folder = std::getenv("VR8200_LOCK_DIR");
    return folder != nullptr && folder[0] != '\0' ? folder : "/var/lock";
}

std::string PortLock::LockFileName(const std::string& device) {
    return LockNameOfPath(ResolvedPath(device));
}

int PortLock::OtherLockHolder(const std::string& device, const std::vector<std::string>& linkFolders) {
    const std::string folder = LockFolder();
    for (const std::string& name : LockNamesFor(device, linkFolders)) {
        const int pid = PidInLockFile(folder + "/" + name);
        if (pid != ::getpid() && Alive(pid)) return pid;
    }
    return 0;
}

int PortLock::FlockHolder(int fd, const platform::SysCalls& calls) {
    struct stat st {};
    if (calls.Fstat(fd, st) != 0) return 0;
    std::string locks, error;
    if (!platform::ReadWholeFile("/proc/locks", locks, error, 1 << 20, calls)) return 0;
    for (const int pid : FlockHolders(locks, LockedFileName(st)))
        if (pid != ::getpid()) return pid;
    return 0;
}

std::string PortLock::ProgramOf(int pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

bool PortLock::Acquire(int fd, const std::string& device, std::string& why) {
    Release();
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK) {
            // A file system without flock: the lock file below still keeps other tools off.
            if (errno != ENOLCK && errno != EINVAL) {
                why = std::string("Error in flock(): ") + std::strerror(errno);
                return false;
            }
        } else {
            why = InUse(device, FlockHolder(fd, calls_));
            return false;
        }
    }
    // A port server that locked the device under the name it was given (a by-id link) and took no
    // flock is seen here.
    if (const int pid = OtherLockHolder(device); pid != 0) {
        ::flock(fd, LOCK_UN);
        why = InUse(device, pid);
        return false;
    }
    const std::string folder = LockFolder();
    if (calls_.Access(folder, W_OK) != 0) return true;  // no lock files here: the flock is enough
    const std::string path = folder + "/" + LockFileName(device);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int lockFd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (lockFd >= 0) {
            char text[16];
            const int n = std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(::getpid()));
            const bool written = ::write(lockFd, text, static_cast<size_t>(n)) == n;
            const bool closed = ::close(lockFd) == 0;
            if (!written || !closed) {
                (void)::unlink(path.c_str());
                return true;  // the flock holds; a half lock file would only mislead others
            }
            lockFile_ = path;
            return true;
        }
        if (errno != EEXIST) return true;
        const int pid = PidInLockFile(path);
        if (pid == ::getpid()) return true;
        if (Alive(pid)) {
            ::flock(fd, LOCK_UN);
            why = InUse(device, pid);
            return false;
        }
        // A stale lock file of a program that is gone.
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) return true;
    }
    return true;
}

void PortLock::Release() {
    if (lockFile_.empty()) return;
    if (PidInLockFile(lockFile_) == ::getpid()) (void)::unlink(lockFile_.c_str());
    lockFile_.clear();
}

}  // namespace vr::link
