// The status strips and the dialog registry that follow the camera, and the deadlines of the waits.

#include <gtest/gtest.h>

#include "platform/Deadline.h"
#include "protocol/OnlineStatus.h"

using namespace vr::protocol;
using vr::platform::Deadline;

namespace {

struct Strip : COnlineStatusUpdater {
    bool created = true;
    int32_t picture = 0;
    std::vector<int32_t> statuses;
    bool HasStrip() const override { return created; }
    void SetStripPicture(int32_t p) override { picture = p; }
    void OnStatusChanged(int32_t s) override { statuses.push_back(s); }
};

struct Dialog : IRegisteredDialog {
    bool created = true;
    bool enabled = true;
    bool HasWindow() const override { return created; }
    void EnableWindow(bool e) override { enabled = e; }
};

}  // namespace

// A strip starts at the last report and follows the camera; one whose window is not created yet is
// skipped, and one that is gone hears nothing (as the communication and About dialogs' tests run too).
TEST(OnlineStatus, StripsFollowTheLastReportAndSkipWindowlessDialogs) {
    OnlineStatusBroadcaster b;
    b.SetOnline();
    Strip shown, closed;
    closed.created = false;
    b.Register(&shown);
    b.Register(&closed);
    EXPECT_EQ(shown.picture, kStripOnline);
    b.SetOffline();
    EXPECT_EQ(shown.picture, kStripOffline);
    EXPECT_EQ(closed.picture, kStripOnline) << "the picture set at registration stays";
    EXPECT_TRUE(closed.statuses.empty());
    EXPECT_EQ(shown.statuses, (std::vector<int32_t>{0}));
    b.Unregister(&shown);
    {
        Strip gone;  // leaves with its destructor; the sanitizer build sees any later call on it
        b.Register(&gone);
    }
    b.SetOnline();
    EXPECT_EQ(shown.picture, kStripOffline);
    b.Unregister(&closed);
}

TEST(DialogRegistry, GreysAndRestoresOnlyDialogsWithWindowsAndOnlyAtTheOutermostEnd) {
    DialogRegistry registry;
    Dialog a, b;
    b.created = false;
    registry.Add(&a);
    registry.Add(&b);
    {
        ScopedDialogsDisabled busy(registry);
        EXPECT_FALSE(a.enabled);
        EXPECT_TRUE(b.enabled);
        {
            // A settings-file load ends with a read of all settings, which greys and gives back too.
            ScopedDialogsDisabled inner(registry);
        }
        EXPECT_FALSE(a.enabled) << "the inner operation must not give the dialogs back early";
    }
    EXPECT_TRUE(a.enabled);
    EXPECT_FALSE(registry.Disabled());
    registry.Remove(&a);
    registry.Remove(&b);
    registry.DisableAll();
    EXPECT_TRUE(a.enabled);
}

TEST(Deadline, RemainingNeverNegativeAndRoundsUp) {
    using namespace std::chrono;
    const auto t0 = Deadline::Clock::time_point{} + hours(1);
    Deadline d(milliseconds(100), t0);
    EXPECT_FALSE(d.Expired(t0 + milliseconds(99)));
    EXPECT_TRUE(d.Expired(t0 + milliseconds(100)));
    EXPECT_EQ(d.Remaining(t0 + microseconds(99500)), milliseconds(1));
    EXPECT_EQ(d.Remaining(t0 + seconds(5)), milliseconds(0));
    EXPECT_TRUE(Deadline(milliseconds(-5), t0).Expired(t0));
}
