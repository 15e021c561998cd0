#pragma once
// The requests of `vr8200ctl serve`, read on a thread of their own so that a cancel reaches the
// operation under way: each line is parsed as it comes; a line that is no request is answered at
// once, a cancel acts at once, and every other request waits its turn in order. End of input
// without a "close" request stops the operation under way between two commands, as Ctrl-C does,
// and the requests still waiting are not run.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "ServeOutput.h"
#include "ServeRequest.h"

namespace vr::cli {

class RequestReader {
public:
    RequestReader(int fd, ServeOutput& output) : fd_(fd), output_(output) {}
    ~RequestReader();
    RequestReader(const RequestReader&) = delete;
    RequestReader& operator=(const RequestReader&) = delete;

    void Start();

    enum class Next {
        Run,         // run `request`; it is the one a cancel now stops
        Cancelled,   // answer `request` as cancelled before it started
        InputEnded,  // answer `request` as not run: the input ended before its turn
        Idle,        // nothing came within the wait
        Ended,       // no more requests: the input ended (or "close" was answered)
    };
    Next Pop(ServeRequest& request, std::chrono::milliseconds wait);
    // The request Pop gave to run has been answered.
    void Finished();
    // The client is gone or the session ends: stop reading, and stop what runs.
    void Stop();

private:
    struct Waiting {
        ServeRequest request;
        bool cancelled = false;
    };

    void ReadLoop();
    void TakeLine(std::string_view line);
    void Cancel(const ServeRequest& cancel);
    void InputEnds();

    int fd_;
    ServeOutput& output_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Waiting> waiting_;
    bool running_ = false;
    Json runningId_;
    bool closeRead_ = false;
    bool inputEnded_ = false;
    bool stop_ = false;
};

}  // namespace vr::cli
