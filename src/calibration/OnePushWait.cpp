#include "calibration/OnePushWait.h"

#include <algorithm>

#include "camera/Services.h"

namespace vr::calibration {
namespace {

long long Seconds(std::chrono::milliseconds d) {
    return std::chrono::duration_cast<std::chrono::seconds>(d).count();
}

}  // namespace

OnePushWait::OnePushWait(camera::Services& services, IWaitClock& clock, const std::string& name,
                         const std::string& what, ms limit, int steps)
    : clock_(clock),
      name_(name),
      what_(what),
      limit_(limit),
      steps_(std::max(steps, 1)),
      start_(clock.Now()),
      op_(services, Text()) {
    // The camera does not say how far it is: the bar runs as a busy indicator beside the elapsed
    // time. Between commands Cancel comes with the pauses; while a start command is on the wire the
    // wait itself offers it (see camera::WaitCancel).
    op_.SetBusy(true);
    op_.AllowCancel(false);
}

void OnePushWait::Begin(const std::string& what, ms limit, int step) {
    what_ = what;
    limit_ = limit;
    step_ = std::clamp(step, 1, steps_);
    start_ = clock_.Now();
    Update(true);
}

OnePushWait::ms OnePushWait::Elapsed() {
    return std::chrono::duration_cast<ms>(clock_.Now() - start_);
}

std::string OnePushWait::Text() {
    std::string text = what_.empty() ? name_ : name_ + ", " + what_;
    text += ": " + std::to_string(Seconds(Elapsed())) + " s of at most " + std::to_string(Seconds(limit_)) + " s";
    if (steps_ > 1) text += "  (" + std::to_string(step_) + " / " + std::to_string(steps_) + ")";
    return text;
}

void OnePushWait::Update(bool showNow) {
    if (finished_) return;
    op_.SetText(Text());
    // The long operation paints between commands; while the engine waits for a long reply the
    // text is put on screen from here.
    if (showNow) op_.ShowNow();
}

void OnePushWait::Tick() {
    Update(true);
}

bool OnePushWait::Pause(ms duration) {
    if (finished_ || op_.Stopped()) return !op_.Stopped();
    op_.AllowCancel(true);
    const auto end = clock_.Now() + duration;
    for (;;) {
        Update(false);
        if (!op_.Continue()) break;
        const auto now = clock_.Now();
        if (now >= end) break;
        clock_.Sleep(std::min(std::chrono::duration_cast<ms>(end - now), camera::LongOperation::kPaintInterval));
    }
    op_.AllowCancel(false);
    return !op_.Stopped();
}

std::string OnePushWait::StoppedText() {
    return "Stopped after " + std::to_string(Seconds(Elapsed())) + " s, before the camera reported a result.";
}

void OnePushWait::Finish() {
    if (finished_) return;
    Update(false);
    finished_ = true;
    op_.Finish();
}

}  // namespace vr::calibration
