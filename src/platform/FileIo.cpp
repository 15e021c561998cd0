#include "platform/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

namespace vr::platform {
namespace {

std::string OsError(const char* step) {
    return std::string(step) + ": " + std::strerror(errno);
}

int CloseFd(int fd) {
    // close is not retried on EINTR: Linux has already released the descriptor then.
    return ::close(fd);
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Symbolic links may lead on to each other; the system gives up after as many.
constexpr int kMaxLinkHops = 40;

// The text of the symbolic link at path.
bool ReadLink(const std::string& path, std::string& link) {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0) return false;
        if (static_cast<size_t>(n) < buffer.size()) {
            link.assign(buffer.data(), static_cast<size_t>(n));
            return true;
        }
        if (buffer.size() >= (1u << 16)) {
            errno = ENAMETOOLONG;
            return false;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// A link another user left in a shared folder (sticky and world-writable, as /tmp) is not followed:
// it could lead a write anywhere its reader may write. The kernel refuses such links when it
// resolves a path itself; a link to a file not there yet is resolved here.
bool IsForeignLinkInSharedFolder(const std::string& link, const struct stat& linkStat) {
    struct stat folder {};
    const std::string name = FolderOf(link);
    if (SysCalls::Real().Stat(name.empty() ? "." : name, folder) != 0) return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return shared && linkStat.st_uid != ::geteuid() && linkStat.st_uid != folder.st_uid;
}

// Where a path leads through its symbolic links: for one that names no existing file, itself or the
// missing file the links end at, so that a write through a link makes the file the link points to.
// False, with errorText, for links that loop or that another user left in a shared folder.
bool FollowLinks(const std::string& path, std::string& target, std::string& errorText) {
    target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (SysCalls::Real().Lstat(target, st) != 0) {
            if (errno == ENOENT) return true;
            errorText = OsError("lstat");
            return false;
        }
        if (!S_ISLNK(st.st_mode)) return true;
        if (IsForeignLinkInSharedFolder(target, st)) {
            errorText = "a link another user owns in a shared folder";
            return false;
        }
        std::string link;
        if (!ReadLink(target, link)) {
            errorText = OsError("readlink");
            return false;
        }
        const std::string folder = FolderOf(target);
        if (link.empty() || link.front() == '/' || folder.empty())
            target = link;
        else
            target = (folder == "/" ? "" : folder) + "/" + link;
    }
    errno = ELOOP;
    errorText = OsError("readlink");
    return false;
}

// The replaced file's owner, group and mode for the new one. Owner and group go first: changing them
// clears set-id bits that the mode then puts back. A process that may not give them (a user writing
// another's file) keeps its own; the old group's permissions then do not pass to its own group.
bool KeepOwnerAndMode(int fd, const struct stat& old, std::string& errorText) {
    mode_t mode = old.st_mode & 07777;
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0 &&
            old.st_gid != ::getegid())
            mode &= ~static_cast<mode_t>(S_IRWXG | S_ISGID);
    }
    if (::fchmod(fd, mode) != 0) {
        errorText = OsError("fchmod");
        return false;
    }
    return true;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& text, std::string& errorText, size_t maxBytes,
                   const SysCalls& calls) {
    text.clear();
    // Non-blocking: opening a FIFO for reading would otherwise wait for a writer for ever.
    const int fd = calls.Open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        errorText = OsError("open");
        return false;
    }
    // Every way out closes the descriptor; the message is made before the close can change errno.
    const auto fail = [&](std::string why) {
        errorText = std::move(why);
        (void)calls.Close(fd);  // what failed before is the news; a failing close changes nothing
        return false;
    };
    struct stat st {};
    if (calls.Fstat(fd, st) != 0) return fail(OsError("fstat"));
    if (!S_ISREG(st.st_mode)) return fail("not a regular file");
    char buffer[4096];
    for (;;) {
        const ssize_t n = calls.Read(fd, buffer, sizeof buffer);
        if (n < 0) return fail(OsError("read"));
        if (n == 0) break;
        if (text.size() + static_cast<size_t>(n) > maxBytes) return fail("file too large");
        text.append(buffer, static_cast<size_t>(n));
    }
    if (calls.Close(fd) != 0 && errno != EINTR) {
        errorText = OsError("close");
        return false;
    }
    return true;
}

WriteResult CheckWriteTarget(const std::string& path, std::string& target, std::string& errorText) {
    std::string followed;
    if (!FollowLinks(path, followed, errorText)) return WriteResult::Refused;
    struct stat st {};
    if (SysCalls::Real().Stat(path, st) != 0) {
        if (errno != ENOENT) {
            errorText = OsError("stat");
            return WriteResult::Refused;
        }
        // Nothing there yet, or a link to a file that is not there yet: the write makes it.
        target = followed;
        return WriteResult::Written;
    }
    // Renaming over a device, a FIFO or a folder would put a plain file where it was (as root,
    // /dev/null).
    if (!S_ISREG(st.st_mode)) {
        errorText = "not a regular file";
        return WriteResult::Refused;
    }
    // Renaming over a file would replace one the operator made read-only, which opening it for
    // writing would have refused.
    if (SysCalls::Real().Access(path, W_OK) != 0) {
        errorText = std::strerror(errno);
        return WriteResult::Refused;
    }
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        errorText = OsError("realpath");
        return WriteResult::Refused;
    }
    target = resolved;
    std::free(resolved);
    return WriteResult::Written;
}

WriteResult WriteFileAtomically(const std::string& path, const std::string& text, std::string& errorText) {
    std::string target;
    if (const WriteResult check = CheckWriteTarget(path, target, errorText); check != WriteResult::Written)
        return check;
    struct stat old {};
    const bool replacing = SysCalls::Real().Stat(target, old) == 0;
    const std::string folder = FolderOf(target);
    const size_t slash = target.find_last_of('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::string prefix = (folder.empty() ? "." : folder == "/" ? "" : folder) + "/." + base + ".";
    // A name nobody else in the folder uses; O_EXCL still insists on creating it. A new file gets the
    // ordinary permissions (0666 less the umask).
    // Random names need no counter shared between threads or sessions.
    std::random_device random;
    std::string tempPath;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "%06x", static_cast<unsigned>(random()) & 0xFFFFFFu);
        tempPath = prefix + suffix;
        do {
            fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        errorText = OsError("open");
        return WriteResult::CreateFailed;
    }
    bool ok = !replacing || KeepOwnerAndMode(fd, old, errorText);
    if (ok && !WriteAll(fd, text.data(), text.size())) {
        errorText = OsError("write");
        ok = false;
    }
    if (ok && ::fsync(fd) != 0) {
        errorText = OsError("fsync");
        ok = false;
    }
    if (CloseFd(fd) != 0 && errno != EINTR && ok) {
        errorText = OsError("close");
        ok = false;
    }
    if (ok && ::rename(tempPath.c_str(), target.c_str()) != 0) {
        errorText = OsError("rename");
        ok = false;
    }
    if (!ok) {
        ::unlink(tempPath.c_str());  // best effort: the temporary file is ours alone
        return WriteResult::WriteFailed;
    }
    return WriteResult::Written;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool MakeFolders(const std::string& folder, std::string& errorText) {
    if (folder.empty()) {
        errorText = "empty folder name";
        return false;
    }
    for (size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos != folder.size() && folder[pos] != '/') continue;
        const std::string part = folder.substr(0, pos);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            errorText = OsError("mkdir");
            return false;
        }
    }
    if (!IsFolder(folder)) {
        errorText = folder + " is not a folder";
        return false;
    }
    return true;
}

bool FileExists(const std::string& path, const SysCalls& calls) {
    struct stat st {};
    return !path.empty() && calls.Stat(path, st) == 0;
}

bool PathExists(const std::string& path, const SysCalls& calls) {
    struct stat st {};
    return !path.empty() && calls.Lstat(path, st) == 0;
}

bool IsFolder(const std::string& path, const SysCalls& calls) {
    struct stat st {};
    return !path.empty() && calls.Stat(path, st) == 0 && S_ISDIR(st.st_mode);
}

std::string WorkingFolder() {
    std::vector<char> buffer(256);
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr) return std::string(buffer.data());
        if (errno != ERANGE || buffer.size() > (1u << 16)) return ".";
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace vr::platform
