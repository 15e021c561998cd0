#include "app/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace vr::app {
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

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& text, std::string& errorText, size_t maxBytes) {
    text.clear();
    int fd;
    // Non-blocking: opening a FIFO for reading would otherwise wait for a writer for ever.
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        errorText = OsError("open");
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        errorText = OsError("fstat");
        CloseFd(fd);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        errorText = "not a regular file";
        CloseFd(fd);
        return false;
    }
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            errorText = OsError("read");
            CloseFd(fd);
            return false;
        }
        if (n == 0) break;
        if (text.size() + static_cast<size_t>(n) > maxBytes) {
            errorText = "file too large";
            CloseFd(fd);
            return false;
        }
        text.append(buffer, static_cast<size_t>(n));
    }
    if (CloseFd(fd) != 0 && errno != EINTR) {
        errorText = OsError("close");
        return false;
    }
    return true;
}

WriteResult WriteFileAtomically(const std::string& path, const std::string& text, std::string& errorText) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string prefix = (folder == "/" ? "" : folder) + "/." + base + ".";
    // A name nobody else in the folder uses; O_EXCL still insists on creating it. The file gets the
    // ordinary permissions (0666 less the umask), as the file it replaces would have had.
    static std::atomic<unsigned> counter{0};
    std::string tempPath;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "%06x",
                      (static_cast<unsigned>(::getpid()) * 2654435761u + counter.fetch_add(1) * 40503u) & 0xFFFFFFu);
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
    bool ok = WriteAll(fd, text.data(), text.size());
    if (!ok) errorText = OsError("write");
    if (ok && ::fsync(fd) != 0) {
        errorText = OsError("fsync");
        ok = false;
    }
    if (CloseFd(fd) != 0 && errno != EINTR && ok) {
        errorText = OsError("close");
        ok = false;
    }
    if (ok && ::rename(tempPath.c_str(), path.c_str()) != 0) {
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

bool IsFolder(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string WorkingFolder() {
    std::vector<char> buffer(256);
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr) return std::string(buffer.data());
        if (errno != ERANGE || buffer.size() > (1u << 16)) return ".";
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace vr::app
