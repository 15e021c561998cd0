#include "ServeOutput.h"

#include <unistd.h>

#include <cerrno>

namespace vr::cli {

bool ServeOutput::Write(const std::string& line) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (gone_) return false;
    const std::string whole = line + "\n";
    size_t done = 0;
    while (done < whole.size()) {
        const ssize_t n = ::write(fd_, whole.data() + done, whole.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            gone_ = true;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace vr::cli
