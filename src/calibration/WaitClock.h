#pragma once
// The clock and the sleep of the one-push waits. A calibration may keep the tool waiting for minutes;
// tests hand in a clock of their own so that those minutes pass at once.

#include <chrono>

namespace vr::calibration {

class IWaitClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~IWaitClock() = default;
    virtual TimePoint Now() = 0;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

}  // namespace vr::calibration
