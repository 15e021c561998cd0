#include "Interrupt.h"

#include <signal.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vr::cli {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<int> gSignal{0};
std::atomic<bool> gHonoured{false};
std::atomic<bool> gRequested{false};
static_assert(std::atomic<int>::is_always_lock_free, "the signal is kept from a signal handler");

void OnSignal(int signal) {
    int none = 0;
    if (!gSignal.compare_exchange_strong(none, signal)) {
        // The second one: its default action ends the process as that signal does.
        ::signal(signal, SIG_DFL);
        ::raise(signal);
    }
}

}  // namespace

bool InstallInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // System calls go on after the handler: the reader thread's poll and the waits retry anyway.
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) {
        if (::sigaction(signal, &action, nullptr) != 0) {
            std::fprintf(stderr, "vr8200ctl: cannot take %s: %s\n", strsignal(signal), std::strerror(errno));
            return false;
        }
    }
    return true;
}

bool StopRequested() {
    return gSignal.load() != 0 || gRequested.load();
}

bool SignalCame() {
    return gSignal.load() != 0;
}

void RequestStop() {
    gRequested = true;
}

void ClearStopRequest() {
    gRequested = false;
    if (gSignal.load() == 0) gHonoured = false;
}

void StopHonoured() {
    gHonoured = true;
}

int StoppedExitCode() {
    if (!gHonoured.load()) return 0;
    return gSignal.load() != 0 ? 128 + gSignal.load() : 130;
}

}  // namespace vr::cli
