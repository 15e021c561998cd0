#pragma once
// The wait clock of the programs: the steady clock and a real sleep.

#include "calibration/WaitClock.h"

namespace vr::calibration {

class SteadyWaitClock final : public IWaitClock {
public:
    TimePoint Now() override;
    void Sleep(std::chrono::milliseconds duration) override;
};

}  // namespace vr::calibration
