// The watch on the line while the tool is idle: offline the moment the line is lost, and an offer to
// reconnect (or the reconnect itself) once the remembered device is there again.

#include <gtest/gtest.h>

#include "ui/main/LinkWatch.h"

using vr::ui::LinkWatch;
using Action = LinkWatch::Action;

namespace {

LinkWatch::Look Online() {
    LinkWatch::Look look;
    look.lineOpen = true;
    look.online = true;
    look.device = "/dev/serial/by-id/usb-adapter";
    look.devicePresent = true;
    return look;
}

TEST(LinkWatch, AHangUpGoesOfflineAtOnceButNotInTheMiddleOfOtherWork) {
    LinkWatch watch;
    LinkWatch::Look look = Online();
    EXPECT_EQ(watch.Poll(look), Action::None);
    look.lineLost = true;
    look.busy = true;
    EXPECT_EQ(watch.Poll(look), Action::None) << "a command under way finds the loss itself";
    look.busy = false;
    EXPECT_EQ(watch.Poll(look), Action::GoOffline);
    look.online = false;
    EXPECT_EQ(watch.Poll(look), Action::None) << "once is enough";
    // A Camera Link port has no device path: offline all the same, and nothing to offer.
    look = Online();
    look.device.clear();
    look.lineLost = true;
    EXPECT_EQ(watch.Poll(look), Action::GoOffline);
}

TEST(LinkWatch, TheDeviceComingBackIsOfferedOnceOrReconnectedByItself) {
    for (const bool automatic : {false, true}) {
        SCOPED_TRACE(automatic ? "by itself" : "offered");
        LinkWatch watch;
        LinkWatch::Look look = Online();
        look.autoReconnect = automatic;
        look.lineLost = true;
        look.online = false;
        look.devicePresent = false;  // unplugged
        EXPECT_EQ(watch.Poll(look), Action::None);
        // Plugged back in while a box was open: answered once the tool is idle again.
        look.devicePresent = true;
        look.busy = true;
        EXPECT_EQ(watch.Poll(look), Action::None);
        look.busy = false;
        EXPECT_EQ(watch.Poll(look), automatic ? Action::Reconnect : Action::OfferReconnect);
        EXPECT_EQ(watch.Offered(), automatic ? "" : look.device);
        EXPECT_EQ(watch.Poll(look), Action::None);
        // Out and in again: a new return, a new answer.
        look.devicePresent = false;
        EXPECT_EQ(watch.Poll(look), Action::None);
        EXPECT_EQ(watch.Offered(), "");
        look.devicePresent = true;
        EXPECT_EQ(watch.Poll(look), automatic ? Action::Reconnect : Action::OfferReconnect);
    }
}

// At a start without the adapter the port never opened; plugging it in is its return too. A path that
// comes and goes while the line still answers asks nothing.
TEST(LinkWatch, AnAdapterMissingAtTheStartIsOfferedWhenPluggedIn) {
    LinkWatch watch;
    LinkWatch::Look look;
    look.device = "/dev/ttyUSB0";
    EXPECT_EQ(watch.Poll(look), Action::None);
    look.devicePresent = true;
    EXPECT_EQ(watch.Poll(look), Action::OfferReconnect);

    LinkWatch answering;
    look = Online();
    look.devicePresent = false;
    answering.Poll(look);
    look.devicePresent = true;
    EXPECT_EQ(answering.Poll(look), Action::None);
}

}  // namespace
