#include "platform/SetAside.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

namespace vr::platform {

bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system that cannot: a second name, which is never made over an existing one, then the first goes.
    return ::link(from.c_str(), to.c_str()) == 0 && ::unlink(from.c_str()) == 0;
}

bool SetFileAside(const std::string& path, int maxTries, std::string& asideAs) {
    for (int n = 1; n <= maxTries; ++n) {
        const std::string bad = path + ".bad" + (n == 1 ? std::string() : "." + std::to_string(n));
        if (RenameNoReplace(path, bad)) {
            asideAs = bad;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    errno = EEXIST;
    return false;
}

}  // namespace vr::platform
