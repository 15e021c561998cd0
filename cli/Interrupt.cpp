#include "Interrupt.h"

#include <signal.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vr::cli {
namespace {

std::atomic<bool> gStop{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

void OnInterrupt(int) {
    if (gStop.exchange(true)) {
        // The second Ctrl-C: the default action ends the process as interrupted.
        ::signal(SIGINT, SIG_DFL);
        ::raise(SIGINT);
    }
}

}  // namespace

bool InstallInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // System calls go on after the handler: the reader thread's poll and the waits retry anyway.
    action.sa_flags = SA_RESTART;
    if (::sigaction(SIGINT, &action, nullptr) != 0) {
        std::fprintf(stderr, "vr8200ctl: cannot take Ctrl-C: %s\n", std::strerror(errno));
        return false;
    }
    return true;
}

bool StopRequested() {
    return gStop.load();
}

}  // namespace vr::cli
