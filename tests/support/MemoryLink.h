#pragma once
// An in-memory line for engine tests: records what is written and hands out bytes that the test
// (or a responder called on every write) queues, possibly from another thread. Given the engine that
// writes on it, it also keeps the time-out each command was sent with.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "protocol/Command.h"
#include "protocol/Link.h"
#include "protocol/TrafficLog.h"

namespace vr::test {

class MemoryLink : public protocol::ILink {
public:
    // Called with each written text; returns the bytes the camera answers at once.
    std::function<std::string(const std::string&)> responder;
    int writeResult = 1;
    // Where written texts are listed as sent, as the link object does.
    protocol::TrafficLog* traffic = nullptr;
    // The engine that writes here: each line is kept with the time-out its command waits for.
    const protocol::Command* timedBy = nullptr;

    struct TimedLine {
        std::string line;  // without CR LF: "SA=2", "EA?"
        std::chrono::milliseconds timeout;
    };

    int Write(const std::string& text) override {
        std::string answer;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            written_.push_back(text);
            if (timedBy != nullptr)
                timed_.push_back({text.substr(0, text.find_last_not_of("\r\n") + 1), timedBy->SentTimeout()});
        }
        if (writeResult == 0) return 0;
        if (traffic != nullptr) traffic->LogTx(text);
        if (responder) answer = responder(text);
        Feed(answer);
        return writeResult;
    }

    int Read(char* buffer, int count, std::chrono::milliseconds timeout) override {
        std::unique_lock<std::mutex> lock(mutex_);
        int n = 0;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            while (n < count && !pending_.empty()) {
                buffer[n++] = pending_.front();
                pending_.pop_front();
            }
            if (n >= count) return n;
            if (cv_.wait_until(lock, deadline, [this] { return !pending_.empty(); })) continue;
            return n;
        }
    }

    void Feed(const std::string& bytes) {
        if (bytes.empty()) return;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            pending_.insert(pending_.end(), bytes.begin(), bytes.end());
        }
        cv_.notify_all();
    }

    std::vector<std::string> Written() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return written_;
    }
    std::vector<TimedLine> Timed() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return timed_;
    }
    void ClearTimed() {
        std::lock_guard<std::mutex> lock(mutex_);
        timed_.clear();
    }
    size_t Pending() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return pending_.size();
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<char> pending_;
    std::vector<std::string> written_;
    std::vector<TimedLine> timed_;
};

}  // namespace vr::test
