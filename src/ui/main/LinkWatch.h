#pragma once
// Keeps what the tool shows about the line in step with the line itself while no command is sent.
// A hang-up (an adapter pulled out, the far side gone) turns the tool offline at once, idle or not;
// and when the remembered device appears again (the adapter plugged back in), the tool offers to
// reconnect, or reconnects by itself when the operator chose that. The window looks a few times a
// second and does what Poll says.

#include <string>

namespace vr::ui {

class LinkWatch {
public:
    enum class Action {
        None,
        GoOffline,       // the line went away: show the camera as offline
        OfferReconnect,  // the remembered device is back: offer to reconnect
        Reconnect,       // it is back, and the operator chose to reconnect by itself
    };

    struct Look {
        bool busy = false;      // a command, a long operation or a box is under way
        bool lineOpen = false;  // the link is open
        bool lineLost = false;  // the open link reported a hang-up
        bool online = false;    // what the tool shows now
        // The remembered device path (empty where a link has none, as the Camera Link ports) and
        // whether it is there now.
        std::string device;
        bool devicePresent = false;
        bool autoReconnect = false;
    };

    // What to do now; each return of the device is answered once.
    Action Poll(const Look& look);

    // The device an offer stands for; empty when none stands.
    const std::string& Offered() const { return offered_; }
    // The offer is taken (a reconnect ran) or no longer stands.
    void ClearOffer() { offered_.clear(); }

private:
    bool deviceWasAbsent_ = false;
    std::string offered_;
};

}  // namespace vr::ui
