// vr8200-sim: a virtual VR-8200-KA or VR-8200-KB on a pseudo-terminal. The first line of output is
// the device to open; the camera runs until SIGINT or SIGTERM, then removes its symlink and exits.

#include <signal.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <iostream>

#include "platform/Version.h"
#include "sim/PtyServer.h"
#include "sim/SimCli.h"

int main(int argc, char** argv) {
    vr::sim::SimOptions options;
    CLI::App app{"A virtual VR-8200 camera on a pseudo-terminal."};
    app.footer(
        "Examples:\n"
        "  vr8200-sim --model KA --link ./cam0\n"
        "  vr8200-sim --model KB --start-rate 57600 --pace --state kb.state\n"
        "  vr8200-sim --model KA --refuse GA,WTC --slow 200");
    app.set_version_flag("--version", std::string("vr8200-sim ") + vr::platform::VersionText());
    vr::sim::AddSimOptions(app, options);
    CLI11_PARSE(app, argc, argv);

    // The signals are taken by sigtimedwait below; blocked before the server's thread starts so that
    // it inherits the mask and never receives them itself.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    if (pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr) != 0) {
        std::cerr << "vr8200-sim: cannot block SIGINT and SIGTERM\n";
        return 1;
    }

    vr::sim::PtyServer server;
    std::string error;
    if (!server.Start(options, &error)) {
        std::cerr << "vr8200-sim: " << error << '\n';
        return 1;
    }
    std::cout << server.DevicePath() << std::endl;
    std::cerr << "vr8200-sim: " << server.ModelName() << " at " << server.CameraRate() << " bit/s on "
              << server.DevicePath();
    if (!options.linkPath.empty()) std::cerr << " (" << options.linkPath << ")";
    std::cerr << "; stop with Ctrl-C" << std::endl;

    bool reportedHangup = false;
    std::string reportedError;
    for (;;) {
        const timespec tick{0, 200'000'000};
        const int sig = sigtimedwait(&stopSignals, nullptr, &tick);
        if (sig == SIGINT || sig == SIGTERM) break;
        if (sig < 0 && errno != EAGAIN && errno != EINTR) {
            std::perror("vr8200-sim: sigtimedwait");
            break;
        }
        if (server.HungUp() && !reportedHangup) {
            std::cerr << "vr8200-sim: hung up after " << server.LinesHandled() << " lines" << std::endl;
            reportedHangup = true;
        }
        const std::string lastError = server.LastError();
        if (!lastError.empty() && lastError != reportedError) {
            std::cerr << "vr8200-sim: " << lastError << std::endl;
            reportedError = lastError;
        }
    }
    server.Stop();
    return 0;
}
