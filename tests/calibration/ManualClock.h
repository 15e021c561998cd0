#pragma once
// A wait clock the test moves: a sleep adds its time at once. With `realSleep` each sleep also takes
// that long in real time, for tests that need the progress window's paint interval to pass.

#include <chrono>
#include <functional>
#include <thread>

#include "calibration/WaitClock.h"

namespace vr::test {

class ManualClock final : public calibration::IWaitClock {
public:
    TimePoint Now() override { return now; }
    void Sleep(std::chrono::milliseconds duration) override {
        now += duration;
        if (onSleep) onSleep();
        if (realSleep.count() > 0) std::this_thread::sleep_for(realSleep);
    }
    std::chrono::milliseconds Elapsed() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(now - start);
    }

    const TimePoint start{std::chrono::hours(1)};
    TimePoint now = start;
    std::chrono::milliseconds realSleep{0};
    std::function<void()> onSleep;
};

}  // namespace vr::test
