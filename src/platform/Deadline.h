#pragma once
// Time-outs measured on the steady clock, so a change of the wall clock never shortens or stretches
// a wait.

#include <chrono>

namespace vr::platform {

class Deadline {
public:
    using Clock = std::chrono::steady_clock;

    explicit Deadline(std::chrono::milliseconds timeout, Clock::time_point start = Clock::now())
        : end_(start + (timeout.count() < 0 ? std::chrono::milliseconds(0) : timeout)) {}

    bool Expired(Clock::time_point now = Clock::now()) const { return now >= end_; }

    // What is left, never negative.
    std::chrono::milliseconds Remaining(Clock::time_point now = Clock::now()) const {
        if (now >= end_) return std::chrono::milliseconds(0);
        // Round up so that a wait for the remainder never ends just short of the deadline.
        return std::chrono::ceil<std::chrono::milliseconds>(end_ - now);
    }

private:
    Clock::time_point end_;
};

}  // namespace vr::platform
