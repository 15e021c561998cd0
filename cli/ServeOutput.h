#pragma once
// Where `vr8200ctl serve` writes its answers and events: one line at a time, whole, from any
// thread, to the standard output it started with (the commands' own output is captured meanwhile).
// A client that went away (EPIPE) is noted, never a signal that ends the program.

#include <atomic>
#include <mutex>
#include <string>

namespace vr::cli {

class ServeOutput {
public:
    explicit ServeOutput(int fd) : fd_(fd) {}

    // Writes LINE and a line end; false once the client is gone.
    bool Write(const std::string& line);
    bool Gone() const { return gone_.load(); }

private:
    int fd_;
    std::mutex mutex_;
    std::atomic<bool> gone_{false};
};

}  // namespace vr::cli
