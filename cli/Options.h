#pragma once
// The command line of vr8200ctl: global options, then a command with its arguments.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vr::cli {

// Exit statuses scripts rely on.
enum ExitCode : int {
    kExitOk = 0,
    kExitCameraRefused = 1,  // the camera refused a command or did not answer
    kExitUsage = 2,
    kExitNoLink = 3,  // the link could not be opened or no camera answered the start-up
};

struct Options {
    std::optional<std::string> port;
    std::optional<uint32_t> linkMode;
    std::optional<uint32_t> portIndex;
    std::optional<uint32_t> rate;
    std::optional<std::string> simulate;  // "KA" or "KB"
    bool factory = false;
    std::optional<std::string> configDir;
    bool trace = false;
    bool json = false;
    bool yes = false;

    std::string command;
    std::vector<std::string> args;
    int waitMs = 1000;  // send: how long to list what the camera says

    // Any option that picks the link for this run only.
    bool OverridesLink() const { return port || linkMode || portIndex || simulate; }
};

// Parses argv. On --help prints the help and returns kExitOk with parsed false; on a usage error
// prints the reason and returns kExitUsage.
struct ParseResult {
    bool parsed = false;
    int exitCode = kExitOk;
};
ParseResult ParseOptions(int argc, char** argv, Options& options);

}  // namespace vr::cli
