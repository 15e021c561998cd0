#include "sim/StateFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace vr::sim {
namespace {

bool Fail(std::string* error, const std::string& what, const std::string& path) {
    if (error != nullptr) *error = what + " " + path + ": " + std::strerror(errno);
    return false;
}

int CloseRetry(int fd) {
    // Linux releases the descriptor even when close reports EINTR, so it is never closed twice.
    return close(fd);
}

}  // namespace

bool ReadStateFile(const std::string& path, std::string* text, std::string* error) {
    text->clear();
    int fd;
    do fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return errno == ENOENT ? true : Fail(error, "cannot open", path);
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int saved = errno;
            CloseRetry(fd);
            errno = saved;
            return Fail(error, "cannot read", path);
        }
        if (n == 0) break;
        text->append(buffer, static_cast<size_t>(n));
    }
    if (CloseRetry(fd) != 0 && errno != EINTR) return Fail(error, "cannot close", path);
    return true;
}

bool WriteStateFile(const std::string& path, const std::string& text, std::string* error) {
    std::vector<char> name(path.begin(), path.end());
    const std::string suffix = ".tmpXXXXXX";
    name.insert(name.end(), suffix.begin(), suffix.end());
    name.push_back('\0');
    int fd;
    do fd = mkostemp(name.data(), O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return Fail(error, "cannot create a temporary file beside", path);
    const std::string temp(name.data());
    auto abandon = [&](const char* what) {
        const int saved = errno;
        CloseRetry(fd);
        unlink(temp.c_str());
        errno = saved;
        return Fail(error, what, temp);
    };
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return abandon("cannot write");
        done += static_cast<size_t>(n);
    }
    int r;
    do r = fsync(fd);
    while (r != 0 && errno == EINTR);
    if (r != 0) return abandon("cannot flush");
    if (CloseRetry(fd) != 0 && errno != EINTR) {
        unlink(temp.c_str());
        return Fail(error, "cannot close", temp);
    }
    if (rename(temp.c_str(), path.c_str()) != 0) {
        const int saved = errno;
        unlink(temp.c_str());
        errno = saved;
        return Fail(error, "cannot rename onto", path);
    }
    return true;
}

}  // namespace vr::sim
