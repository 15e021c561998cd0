#include "calibration/SteadyWaitClock.h"

#include <thread>

namespace vr::calibration {

SteadyWaitClock::TimePoint SteadyWaitClock::Now() {
    return std::chrono::steady_clock::now();
}

void SteadyWaitClock::Sleep(std::chrono::milliseconds duration) {
    if (duration.count() > 0) std::this_thread::sleep_for(duration);
}

}  // namespace vr::calibration
