#include "QuitOnSignal.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace vr::gui {

namespace {

int gPipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

}  // namespace

void QuitOnSignal::Handler(int) {
    const int saved = errno;
    const char byte = 1;
    // Nothing to do about a full pipe: a quit is already pending then.
    [[maybe_unused]] const ssize_t n = ::write(gPipe[1], &byte, 1);
    errno = saved;
}

QuitOnSignal::QuitOnSignal(std::function<void()> quit, QObject* parent) : QObject(parent), quit_(std::move(quit)) {
    if (::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::fprintf(stderr, "vr8200-control: no signal pipe: %s\n", std::strerror(errno));
        return;
    }
    struct sigaction action {};
    action.sa_handler = &QuitOnSignal::Handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals) {
        if (::sigaction(signal, &action, nullptr) != 0)
            std::fprintf(stderr, "vr8200-control: no handler for signal %d: %s\n", signal, std::strerror(errno));
    }
    notifier_ = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        ssize_t n;
        do {
            n = ::read(gPipe[0], buffer, sizeof buffer);
        } while (n > 0 || (n < 0 && errno == EINTR));
        if (quit_) quit_();
    });
}

QuitOnSignal::~QuitOnSignal() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals) ::sigaction(signal, &action, nullptr);
    delete notifier_;
    for (int& fd : gPipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

}  // namespace vr::gui
