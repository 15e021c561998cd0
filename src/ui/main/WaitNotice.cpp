#include "ui/main/WaitNotice.h"

#include <algorithm>

#include "protocol/Command.h"

namespace vr::ui {
namespace {

long long WholeSecondsUp(std::chrono::milliseconds ms) {
    return ms.count() <= 0 ? 0 : (ms.count() + 999) / 1000;
}

}  // namespace

std::string WaitNotice::Format(const std::string& line, std::chrono::milliseconds waited,
                               std::chrono::milliseconds timeout) {
    const long long total = WholeSecondsUp(timeout);
    const long long passed = std::min(WholeSecondsUp(waited), total);
    return "Waiting for the camera (" + line + "), " + std::to_string(passed) + " of " + std::to_string(total) + " s";
}

std::string WaitNotice::Text(Clock::time_point now) const {
    if (!engine_.Busy()) return {};
    // A step's text says more than the command's, and its step is long as a whole.
    if (!step_.empty()) return step_;
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(now - engine_.SentAt());
    if (waited < kQuietWait) return {};
    return Format(protocol::Command::Printable(engine_.SentLine()), waited, engine_.SentTimeout());
}

}  // namespace vr::ui
