#pragma once
// Root may write any file, so a check that a read-only file is left alone runs as nobody: in a child
// process, whose only job is that check (no other thread runs there).

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace vr::test {

// True when `check` held, run as this user, or as nobody when this user is root.
inline bool AsNobody(const std::function<bool()>& check) {
    if (::geteuid() != 0) return check();
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) _exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && check() ? 0 : 1);
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace vr::test
