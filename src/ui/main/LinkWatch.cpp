#include "ui/main/LinkWatch.h"

namespace vr::ui {

LinkWatch::Action LinkWatch::Poll(const Look& look) {
    // A device that went away is noted at any time, so its return is not missed behind a long
    // operation or an open box.
    if (!look.device.empty() && !look.devicePresent) {
        deviceWasAbsent_ = true;
        offered_.clear();
    }
    // Nothing is done in the middle of other work: a command has its own way of finding the line gone.
    if (look.busy) return Action::None;
    if (look.lineLost && look.online) return Action::GoOffline;
    if (look.device.empty() || !look.devicePresent || !deviceWasAbsent_) return Action::None;
    // Back again. A line that still answers (a path that came and went unused) needs nothing.
    if (look.lineOpen && !look.lineLost && look.online) {
        deviceWasAbsent_ = false;
        return Action::None;
    }
    deviceWasAbsent_ = false;
    if (look.autoReconnect) return Action::Reconnect;
    offered_ = look.device;
    return Action::OfferReconnect;
}

}  // namespace vr::ui
