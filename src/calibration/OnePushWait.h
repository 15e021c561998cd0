#pragma once
// The progress of one one-push function: a long operation whose text names the function and shows
// how long it has run against the most it may take ("Shading calibration: 37 s of at most 420 s"),
// over a busy indicator. Cancel is offered in the pauses between the camera's commands, and by the
// wait itself while a start command waits long for its reply.

#include <chrono>
#include <string>

#include "calibration/WaitClock.h"
#include "camera/LongOperation.h"

namespace vr::camera {
struct Services;
}

namespace vr::calibration {

class OnePushWait {
public:
    using ms = std::chrono::milliseconds;

    // Opens the progress window for the first stretch of waiting, timed from now. `steps` is the
    // number of stretches of a sequence (Auto Setting), 1 for a single function.
    OnePushWait(camera::Services& services, IWaitClock& clock, const std::string& name, const std::string& what,
                ms limit, int steps = 1);
    OnePushWait(const OnePushWait&) = delete;
    OnePushWait& operator=(const OnePushWait&) = delete;

    // The next stretch of a sequence (1-based `step`), timed from now.
    void Begin(const std::string& what, ms limit, int step);
    // How long the current stretch has run.
    ms Elapsed();
    // Shows the text and the bar as the clock has them now. Safe while a command waits for its
    // reply: it takes no input and offers no Cancel.
    void Tick();
    // Waits `duration` with Cancel offered; false once the operator stopped.
    bool Pause(ms duration);
    bool Stopped() const { return op_.Stopped(); }
    // "Stopped after 37 s, before the camera reported a result."
    std::string StoppedText();
    // Closes the progress window and gives the dialogs back, before a result is shown.
    void Finish();

private:
    std::string Text();
    void Update(bool showNow);

    IWaitClock& clock_;
    std::string name_;
    std::string what_;
    ms limit_;
    int steps_;
    int step_ = 1;
    IWaitClock::TimePoint start_;
    camera::LongOperation op_;
    bool finished_ = false;
};

}  // namespace vr::calibration
