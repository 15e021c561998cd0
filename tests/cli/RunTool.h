#pragma once
// Runs vr8200ctl as a child process and collects its exit status, stdout and stderr; a virtual
// camera of the test's own on a pseudo-terminal, and the lines the tool's trace says it sent.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TempDir.h"
#include "sim/PtyServer.h"

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

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

inline std::unique_ptr<sim::PtyServer> StartCamera(const sim::SimOptions& options = {}) {
    auto server = std::make_unique<sim::PtyServer>();
    std::string error;
    EXPECT_TRUE(server->Start(options, &error)) << error;
    return server;
}

// The lines the tool sent, from its --trace output.
inline std::vector<std::string> Sent(const std::string& trace) {
    std::vector<std::string> sent;
    for (const auto& line : Lines(trace))
        if (const auto at = line.find("Tx: "); at != std::string::npos) sent.push_back(line.substr(at + 4));
    return sent;
}

// The lines sent after the start-up's probes, line flush and rate change.
inline std::vector<std::string> SentAfterConnect(const std::string& trace) {
    std::vector<std::string> sent;
    for (const auto& text : Sent(trace)) {
        const bool startUp =
            text == "MD?" || text == "EA?" || text == "CBDRT=16" || text.find_first_not_of('\0') == std::string::npos;
        if (startUp)
            sent.clear();
        else
            sent.push_back(text);
    }
    return sent;
}

// A test of vr8200ctl with a settings folder of its own and, after Start, a virtual camera of its own.
class CtlFixture : public ::testing::Test {
protected:
    TempDir config;
    std::unique_ptr<sim::PtyServer> camera;

    void Start(const std::string& model = "KA", sim::SimOptions options = {}) {
        options.model = model;
        camera = StartCamera(options);
    }
    // The tool on this test's camera, with its traffic on stderr.
    ToolResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--port", camera->DevicePath(), "--trace"});
        return RunTool(args, config.Path());
    }
};

}  // namespace vr::test
