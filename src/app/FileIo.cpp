#include "app/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
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

bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& errorText) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string pattern = (folder == "/" ? "" : folder) + "/." + base + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        errorText = OsError("mkstemp");
        return false;
    }
    const std::string tempPath(name.data());
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
    if (!ok) ::unlink(tempPath.c_str());  // best effort: the temporary file is ours alone
    return ok;
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
