#pragma once
// Runs vr8200ctl as a child process and collects its exit status, stdout and stderr.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TempDir.h"

extern char** environ;

namespace vr::test {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// The output goes to files, so the tool can never block on a full pipe while the test waits for it.
// With `interruptAfter` the tool gets a SIGINT (Ctrl-C) that long after its start.
inline ToolResult RunTool(const std::vector<std::string>& args, const std::string& configDir,
                          std::chrono::milliseconds interruptAfter = std::chrono::milliseconds(0)) {
    ToolResult r;
    const TempDir outDir;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, (outDir / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, (outDir / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> argStore = {VR8200CTL_EXE, "--config-dir", configDir};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, VR8200CTL_EXE, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return r;
    if (interruptAfter.count() > 0) {
        std::this_thread::sleep_for(interruptAfter);
        ::kill(pid, SIGINT);
    }
    int status = 0;
    pid_t waited = 0;
    while ((waited = waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    if (waited != pid) return r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.out = outDir.ReadFile("out");
    r.err = outDir.ReadFile("err");
    return r;
}

// The non-empty lines of a text.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace vr::test
