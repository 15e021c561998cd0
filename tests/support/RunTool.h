#pragma once
// vr8200ctl as a child process with its exit status, output and sent lines; a virtual camera on a pty.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <source_location>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TempDir.h"
#include "sim/PtyServer.h"

extern char** environ;

namespace vr::test {

using Strings = std::vector<std::string>;

struct ToolResult {
    int exitCode = -1;
    std::string out, err;
};

// vr8200ctl with its stdout and stderr going to the named files; -1 when it cannot be started.
inline pid_t SpawnTool(Strings args, const std::string& configDir, const std::string& out, const std::string& err) {
    args.insert(args.begin(), {VR8200CTL_EXE, "--config-dir", configDir});
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return -1;
    pid_t pid = -1;
    int rc = posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (rc == 0) rc = posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (rc == 0) rc = posix_spawn(&pid, VR8200CTL_EXE, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// The child's exit status, or 128 + the signal that ended it; -1 when it cannot be waited for.
inline int Reap(pid_t pid) {
    int status = 0;
    pid_t waited = 0;
    while ((waited = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    if (waited != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// vr8200ctl run to its end, `during` given its process id while it runs (to send it a signal). Output
// goes to files, never to a pipe the tool could fill. A given `exitCode` is checked, a mismatch
// reported at the caller with the tool's stderr.
inline ToolResult RunToolWhile(const Strings& args, const std::string& configDir, std::optional<int> exitCode,
                               const std::function<void(pid_t)>& during, std::source_location where) {
    const TempDir outDir;
    ToolResult r;
    if (const pid_t pid = SpawnTool(args, configDir, outDir / "out", outDir / "err"); pid >= 0) {
        if (during) during(pid);
        r = {Reap(pid), outDir.ReadFile("out"), outDir.ReadFile("err")};
    }
    if (exitCode && r.exitCode != *exitCode)
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << "exit status " << r.exitCode << ", expected " << *exitCode << "\n"
            << r.err;
    return r;
}

// `interruptAfter` sends a Ctrl-C that late.
inline ToolResult RunTool(const Strings& args, const std::string& configDir, std::optional<int> exitCode = std::nullopt,
                          std::chrono::milliseconds interruptAfter = std::chrono::milliseconds(0),
                          std::source_location where = std::source_location::current()) {
    return RunToolWhile(
        args, configDir, exitCode,
        [interruptAfter](pid_t pid) {
            if (interruptAfter.count() <= 0) return;
            std::this_thread::sleep_for(interruptAfter);
            ::kill(pid, SIGINT);
        },
        where);
}

// vr8200ctl sent `signal` as soon as `ready` holds (asked every 10 ms, for at most 30 s), so a stop
// lands at a known point of the run rather than after a guessed time.
inline ToolResult RunToolSignalled(const Strings& args, const std::string& configDir,
                                   const std::function<bool()>& ready, int signal,
                                   std::optional<int> exitCode = std::nullopt,
                                   std::source_location where = std::source_location::current()) {
    return RunToolWhile(
        args, configDir, exitCode,
        [&](pid_t pid) {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
            while (!ready() && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            ::kill(pid, signal);
        },
        where);
}

// The non-empty lines of a text.
inline Strings Lines(const std::string& text) {
    Strings lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
inline bool Has(const Strings& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

using SetOptions = std::function<void(sim::SimOptions&)>;

inline std::unique_ptr<sim::PtyServer> StartCamera(const SetOptions& set = nullptr) {
    sim::SimOptions options;
    if (set) set(options);
    auto server = std::make_unique<sim::PtyServer>();
    std::string error;
    EXPECT_TRUE(server->Start(options, &error)) << error;
    return server;
}

// The lines the tool sent, from its --trace output.
inline Strings Sent(const std::string& trace) {
    Strings sent;
    for (const auto& line : Lines(trace))
        if (const auto at = line.find("Tx: "); at != std::string::npos) sent.push_back(line.substr(at + 4));
    return sent;
}

// The lines sent after the start-up's probes, line flush and rate change.
inline Strings SentAfterConnect(const std::string& trace) {
    Strings sent;
    for (const auto& text : Sent(trace))
        if (text == "MD?" || text == "EA?" || text == "CBDRT=16" || text.find_first_not_of('\0') == std::string::npos)
            sent.clear();
        else
            sent.push_back(text);
    return sent;
}

// A test of vr8200ctl with a settings folder of its own and, after Start, a virtual camera of its own.
class CtlFixture : public ::testing::Test {
protected:
    TempDir config;
    std::unique_ptr<sim::PtyServer> camera;

    // The camera's one-push functions, areas and restart take a few milliseconds instead of seconds.
    void Start(const std::string& model = "KA", const SetOptions& set = nullptr) {
        camera = StartCamera([&](sim::SimOptions& o) {
            o.model = model;
            o.awbMs = o.agcMs = o.shadingMs = o.areaMs = o.resetMs = 20;
            o.recalibrateMs = 0;
            if (set) set(o);
        });
    }
    // The tool on this test's camera, with its traffic on stderr.
    ToolResult Run(Strings args, std::optional<int> exitCode = std::nullopt,
                   std::source_location where = std::source_location::current()) {
        args.insert(args.begin(), {"--port", camera->DevicePath(), "--trace"});
        return RunTool(args, config.Path(), exitCode, {}, where);
    }
};

}  // namespace vr::test
