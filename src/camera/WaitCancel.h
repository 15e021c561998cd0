#pragma once
// The operator's way out of a long wait for the camera: a calibration that hangs, a store into flash
// that never completes. Once such a wait has lasted longer than a moment, the progress window offers
// Cancel (Ctrl-C at a terminal): the window of the operation under way when there is one, else a
// window of its own that shows how long the tool has waited, with every dialog greyed meanwhile.
//
// Cancel abandons the wait, not the line: the camera may go on working and its answer is ignored
// when it comes. Where the wait had a window of its own, the operator is told so here; an operation
// that had its window open tells it its own way (see StoppedText).

#include <chrono>
#include <string>

#include "protocol/Command.h"

namespace vr::platform {
class IPlatform;
}
namespace vr::protocol {
class DialogRegistry;
}

namespace vr::camera {

class WaitCancel final : public protocol::IWaitCancel {
public:
    using Clock = std::chrono::steady_clock;
    // Shorter waits pass without a window or a Cancel: a reply usually comes within this.
    static constexpr std::chrono::milliseconds kQuietWait{500};

    WaitCancel(platform::IPlatform& platform, protocol::DialogRegistry& dialogs, const protocol::Command& engine);

    // Commands whose time-out is at most `timeout` are waited for to the end, whatever the platform's
    // poll says: the command line's Ctrl-C lets an ordinary command, whose answer comes within its few
    // seconds anyway, finish and stops at the next command boundary. None by default.
    void WaitOutUpTo(std::chrono::milliseconds timeout) { waitOutUpTo_ = timeout; }

    // protocol::IWaitCancel
    void LongWaitBegins() override;
    bool CancelRequested() override;
    void LongWaitEnds() override;

    // "Stopped waiting for RS. The camera may still be calibrating; its answer will be ignored." for
    // the command line sent ("RS=0").
    static std::string StoppedText(const std::string& sentLine);
    // "Waiting for the camera (SA=2): 3 s"
    static std::string WaitingText(const std::string& sentLine, std::chrono::milliseconds waited);

private:
    void Offer();

    platform::IPlatform& platform_;
    protocol::DialogRegistry& dialogs_;
    const protocol::Command& engine_;
    std::chrono::milliseconds waitOutUpTo_{0};
    bool waitedOut_ = false;  // this wait is not offered to be abandoned
    bool offered_ = false;    // Cancel is on screen for this wait
    bool ownWindow_ = false;  // in a progress window opened for it
    bool cancelled_ = false;
    std::string shownText_;
};

}  // namespace vr::camera
