// The operator's Cancel of a long wait for the camera: when it is offered, in which window, what the
// operator is told, and that every window is given back.

#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "MemoryLink.h"
#include "camera/WaitCancel.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "protocol/OnlineStatus.h"
#include "protocol/TrafficLog.h"

using namespace vr;
using protocol::milliseconds;
using Texts = std::vector<std::string>;

namespace {

struct Dialog final : protocol::IRegisteredDialog {
    bool HasWindow() const override { return true; }
    void EnableWindow(bool on) override { enabled = on; }
    bool enabled = true;
};

class WaitCancelTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.SetLink(&link);
        engine.SetWaitCancel(&cancel);
        dialogs.Add(&dialog);
    }

    test::FakePlatform platform;
    test::MemoryLink link;
    protocol::OnlineStatusBroadcaster status;
    protocol::TrafficLog traffic;
    protocol::DialogRegistry dialogs;
    protocol::Command engine{platform, status, traffic};
    camera::WaitCancel cancel{platform, dialogs, engine};
    Dialog dialog;
};

// A hung calibration outside any operation: after a moment a window of its own offers Cancel with
// the time waited, the other windows greyed; Cancel ends the wait and says what that means.
TEST_F(WaitCancelTest, AWaitOnItsOwnGetsAWindowAndTheOperatorIsTold) {
    platform.stopAfterPolls = 2;
    bool greyedWhileWaiting = false;
    link.responder = [](const std::string&) { return std::string(); };  // the camera hangs
    platform.boxes.clear();
    // Looks at the other windows while the wait goes on.
    struct Watch final : protocol::IWaitCancel {
        Watch(camera::WaitCancel& i, Dialog& d, bool& g) : inner(i), dialog(d), greyed(g) {}
        void LongWaitBegins() override { inner.LongWaitBegins(); }
        bool CancelRequested() override {
            const bool stop = inner.CancelRequested();
            greyed = greyed || !dialog.enabled;
            return stop;
        }
        void LongWaitEnds() override { inner.LongWaitEnds(); }
        camera::WaitCancel& inner;
        Dialog& dialog;
        bool& greyed;
    } watch(cancel, dialog, greyedWhileWaiting);
    engine.SetWaitCancel(&watch);

    EXPECT_EQ(engine.SendCommandInt(protocol::cmd::RS, 0, milliseconds(420000)), 0);
    EXPECT_EQ(engine.LastFailure().kind, protocol::FailureKind::Cancelled);
    ASSERT_FALSE(platform.progress.empty());
    EXPECT_EQ(platform.progress.front(), "open:Waiting for the camera (RS=0): 0 s");
    EXPECT_EQ(platform.progress.back(), "finish");
    EXPECT_TRUE(platform.busy) << "a wait of unknown length shows a busy indicator";
    EXPECT_EQ(platform.waitCancelOffers, 1);
    EXPECT_FALSE(platform.waitCancelOffered);
    EXPECT_TRUE(greyedWhileWaiting);
    EXPECT_TRUE(dialog.enabled);
    EXPECT_FALSE(dialogs.Disabled());
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text,
              "Stopped waiting for RS. The camera may still be calibrating; its answer will be ignored.");
    EXPECT_EQ(platform.boxes[0].caption, "VR-8200 Control Tool");
}

// Inside an operation the operation's window gets the offer, and the operation tells the operator.
// A reply within the quiet moment costs no window and no offer at all.
TEST_F(WaitCancelTest, AnOperationsWindowGetsTheOfferAndAQuickReplyNone) {
    link.responder = [](const std::string& line) { return line == "SA=1\r\n" ? "COMPLETE\r\n" : ""; };
    EXPECT_EQ(engine.SendCommandInt(protocol::cmd::SA, 1, milliseconds(40000)), 1);
    EXPECT_TRUE(platform.progress.empty());
    EXPECT_EQ(platform.waitCancelOffers, 0);
    EXPECT_EQ(platform.polls, 0);

    platform.ProgressOpen("Now, Storing camera data.");
    platform.stopAfterPolls = 1;
    EXPECT_EQ(engine.SendCommandInt(protocol::cmd::SA, 2, milliseconds(40000)), 0);
    EXPECT_EQ(engine.LastFailure().kind, protocol::FailureKind::Cancelled);
    EXPECT_EQ(platform.progress, Texts{"open:Now, Storing camera data."});
    EXPECT_EQ(platform.waitCancelOffers, 1);
    EXPECT_FALSE(platform.waitCancelOffered);
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_TRUE(dialog.enabled);
}

TEST(WaitCancelTexts, SayWhatTheCameraMayStillBeDoing) {
    EXPECT_EQ(camera::WaitCancel::StoppedText("SA00=0"),
              "Stopped waiting for SA00. The camera may still be storing; its answer will be ignored.");
    EXPECT_EQ(camera::WaitCancel::StoppedText("GA?"),
              "Stopped waiting for GA. The camera may still be working on it; its answer will be ignored.");
    EXPECT_EQ(camera::WaitCancel::WaitingText("LD=2", milliseconds(3999)), "Waiting for the camera (LD=2): 3 s");
}

}  // namespace
