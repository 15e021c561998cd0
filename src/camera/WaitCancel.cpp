#include "camera/WaitCancel.h"

#include <iterator>
#include <string_view>

#include "platform/Platform.h"
#include "protocol/OnlineStatus.h"

namespace vr::camera {
namespace {

// What the camera may still be busy with after the tool stopped waiting for a command.
struct Activity {
    std::string_view mnemonic;
    const char* doing;
};
constexpr Activity kActivities[] = {
    {"RS", "calibrating"},      {"PGR", "calibrating"},    {"PBR", "calibrating"},
    {"PGR00", "calibrating"},   {"PBR00", "calibrating"},  {"SDR00", "calibrating"},
    {"AWB", "balancing white"}, {"AGC", "adjusting gain"}, {"AS", "running its Auto Setting"},
    {"SA", "storing"},          {"SA00", "storing"},       {"LD", "loading"},
    {"CRS00", "restarting"},    {"MD00", "writing"},       {"ID00", "writing"},
    {"DV00", "writing"},        {"UD", "writing"},         {"XMLVR", "writing"},
    {"SDDA", "storing"},
};

std::string Mnemonic(const std::string& sentLine) {
    return sentLine.substr(0, sentLine.find_first_of("=?"));
}

}  // namespace

WaitCancel::WaitCancel(platform::IPlatform& platform, protocol::DialogRegistry& dialogs,
                       const protocol::Command& engine)
    : platform_(platform), dialogs_(dialogs), engine_(engine) {}

std::string WaitCancel::StoppedText(const std::string& sentLine) {
    const std::string name = Mnemonic(sentLine);
    const char* doing = "working on it";
    for (const Activity& a : kActivities)
        if (a.mnemonic == name) doing = a.doing;
    return "Stopped waiting for " + name + ". The camera may still be " + doing + "; its answer will be ignored.";
}

std::string WaitCancel::WaitingText(const std::string& sentLine, std::chrono::milliseconds waited) {
    const long long seconds = std::chrono::duration_cast<std::chrono::seconds>(waited).count();
    return "Waiting for the camera (" + protocol::Command::Printable(sentLine) + "): " + std::to_string(seconds) + " s";
}

void WaitCancel::LongWaitBegins() {
    waitedOut_ = engine_.SentTimeout() <= waitOutUpTo_;
    offered_ = false;
    ownWindow_ = false;
    cancelled_ = false;
    shownText_.clear();
}

void WaitCancel::Offer() {
    offered_ = true;
    // An operation's window gets the offer; a wait on its own gets a window, and the other windows
    // are greyed as for any long operation, so nothing else starts on the line meanwhile.
    ownWindow_ = !platform_.ProgressShown();
    if (ownWindow_) {
        dialogs_.DisableAll();
        shownText_ =
            WaitingText(engine_.WaitingFor(),
                        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - engine_.SentAt()));
        platform_.ProgressOpen(shownText_);
        platform_.ProgressSetBusy(true);
    }
    platform_.ProgressAllowWaitCancel(true);
}

bool WaitCancel::CancelRequested() {
    if (cancelled_) return true;
    if (waitedOut_) return false;
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - engine_.SentAt());
    if (waited < kQuietWait) return false;
    if (!offered_) Offer();
    if (ownWindow_) {
        const std::string text = WaitingText(engine_.WaitingFor(), waited);
        if (text != shownText_) platform_.ProgressSetText(shownText_ = text);
    }
    cancelled_ = platform_.ProgressPoll();
    return cancelled_;
}

void WaitCancel::LongWaitEnds() {
    if (!offered_) return;
    offered_ = false;
    platform_.ProgressAllowWaitCancel(false);
    if (!ownWindow_) return;
    ownWindow_ = false;
    platform_.ProgressFinish();
    dialogs_.EnableAll();
    if (cancelled_)
        platform_.MessageBox(StoppedText(engine_.WaitingFor()), platform::kAppTitle, platform::MsgIcon::Information);
}

}  // namespace vr::camera
