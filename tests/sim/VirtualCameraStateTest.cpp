// The virtual camera's rate switch, restart, memory areas, identity writes and non-volatile state.

#include <gtest/gtest.h>

#include "CameraFixture.h"

using namespace vr::sim;
using namespace vr::sim::test;
using namespace std::chrono_literals;

namespace {

const std::vector<std::string> kComplete = {kReplyComplete};

}  // namespace

TEST(VirtualCameraState, RateCodesSwitchTheUartAfterTheAnswer) {
    for (const auto& [code, rate] :
         std::vector<std::pair<int, uint32_t>>{{1, 9600}, {2, 19200}, {4, 38400}, {8, 57600}, {16, 115200}}) {
        CameraFixture cam;
        EXPECT_EQ(cam.Camera().CurrentRate(), 9600u);
        EXPECT_EQ(cam.Send("CBDRT=" + std::to_string(code)), kComplete);
        EXPECT_EQ(cam.Camera().CurrentRate(), rate);
        EXPECT_EQ(cam.GetInt("CBDRT"), code);
    }
    CameraFixture cam;
    for (const char* bad : {"CBDRT=0", "CBDRT=3", "CBDRT=32", "CBDRT=115200"})
        EXPECT_EQ(cam.Ask(bad), kErrorOutOfRange) << bad;
    EXPECT_EQ(cam.Camera().CurrentRate(), 9600u);

    SimOptions fast;
    fast.startRate = 57600;
    CameraFixture started(fast);
    EXPECT_EQ(started.Camera().CurrentRate(), 57600u);
    EXPECT_EQ(started.GetInt("CBDRT"), 8);
}

TEST(VirtualCameraState, ResetIsSilentThenBootsTheBootAreaAt9600) {
    SimOptions o;
    o.resetMs = 2000;
    o.startRate = 115200;
    CameraFixture cam(o);
    cam.Set("GA", 400);
    cam.Set("LUTIR", 5);
    EXPECT_EQ(cam.Send("CRS00=1"), kComplete);
    EXPECT_FALSE(cam.Camera().Listening());
    EXPECT_EQ(cam.Camera().CurrentRate(), 9600u);
    EXPECT_TRUE(cam.Send("MD?").empty()) << "a restarting camera hears nothing";
    EXPECT_TRUE(cam.Wait(1999ms).empty());
    EXPECT_FALSE(cam.Camera().Listening());
    EXPECT_TRUE(cam.Wait(1ms).empty());
    EXPECT_TRUE(cam.Camera().Listening());
    EXPECT_EQ(cam.GetInt("GA"), 100) << "the unsaved gain is gone";
    EXPECT_EQ(cam.GetInt("LUTIR"), 0);
    EXPECT_EQ(cam.GetInt("EA"), 0);
    EXPECT_EQ(cam.Ask("CRS00=0"), kErrorOutOfRange);
}

TEST(VirtualCameraState, AreasStoreLoadAndReportTheAreaInUse) {
    SimOptions o;
    o.areaMs = 300;
    CameraFixture cam(o);
    cam.Set("GA", 400);
    cam.Set("LUTIG", 7);
    cam.Set("LUTG", 999);
    EXPECT_TRUE(cam.Send("SA=2").empty()) << "storing takes a while";
    EXPECT_TRUE(cam.Send("GA?").empty()) << "lines wait while the camera stores";
    EXPECT_TRUE(cam.Wait(299ms).empty());
    EXPECT_EQ(cam.Wait(1ms), (std::vector<std::string>{kReplyComplete, "GA=400"}));
    EXPECT_EQ(cam.GetInt("EA"), 2);

    cam.Set("GA", 500);
    cam.Set("LUTG", 1);
    EXPECT_TRUE(cam.Send("LD=0").empty());
    EXPECT_EQ(cam.Wait(300ms), kComplete);
    EXPECT_EQ(cam.GetInt("GA"), 100);
    EXPECT_EQ(cam.GetInt("LUTG"), 112) << "factory table: 16 times the entry";
    EXPECT_EQ(cam.GetInt("EA"), 0);
    EXPECT_TRUE(cam.Send("LD=2").empty());
    EXPECT_EQ(cam.Wait(300ms), kComplete);
    EXPECT_EQ(cam.GetInt("GA"), 400);
    EXPECT_EQ(cam.GetInt("LUTG"), 999);
    EXPECT_EQ(cam.GetInt("EA"), 2);

    for (const char* bad : {"SA=0", "SA=4", "LD=4", "LD=-1", "SA00=1"})
        EXPECT_EQ(cam.Ask(bad), kErrorOutOfRange) << bad;

    // The factory area keeps the factory settings too; a user area does not.
    cam.Set("OBRA", 140);
    EXPECT_TRUE(cam.Send("SA00=0").empty());
    EXPECT_EQ(cam.Wait(300ms), kComplete);
    EXPECT_EQ(cam.GetInt("EA"), 0);
    cam.Set("OBRA", 150);
    cam.Send("LD=1");
    cam.Wait(300ms);
    EXPECT_EQ(cam.GetInt("OBRA"), 150);
    cam.Send("LD=0");
    cam.Wait(300ms);
    EXPECT_EQ(cam.GetInt("OBRA"), 140);
    EXPECT_EQ(cam.GetInt("GA"), 400) << "stored with SA00 above";
}

TEST(VirtualCameraState, BootAreaChoosesTheFactoryOrTheLastStoredUserArea) {
    SimOptions o;
    o.areaMs = 0;
    o.resetMs = 0;
    CameraFixture cam(o);
    cam.Set("GA", 300);
    EXPECT_EQ(cam.Send("SA=3"), kComplete) << "without a delay the store completes at once";
    cam.Set("GA", 200);
    cam.Set("BAS00", 1);
    EXPECT_EQ(cam.Send("CRS00=1"), kComplete);
    cam.Wait(0ms);
    EXPECT_EQ(cam.GetInt("EA"), 3);
    EXPECT_EQ(cam.GetInt("GA"), 300);
    EXPECT_EQ(cam.GetInt("BAS00"), 1) << "the boot area choice survives the restart";
    cam.Set("BAS00", 0);
    cam.Send("CRS00=1");
    cam.Wait(0ms);
    EXPECT_EQ(cam.GetInt("EA"), 0);
    EXPECT_EQ(cam.GetInt("GA"), 100);
}

TEST(VirtualCameraState, IdentityWritesFollowTheirRules) {
    CameraFixture cam;
    EXPECT_EQ(cam.Ask("ID00=NEWID"), kErrorLocked);
    EXPECT_EQ(cam.Ask("ULCK=1234"), kErrorInvalidKey);
    EXPECT_EQ(cam.Ask("ID00=NEWID"), kErrorLocked);
    EXPECT_EQ(cam.Ask("ULCK=6182057"), kReplyComplete);
    EXPECT_EQ(cam.Ask("ID00=ABCDEFGHIJK"), kErrorTooLong);
    EXPECT_EQ(cam.Ask("ID00=ABCDEFGHIJ"), kReplyComplete);
    EXPECT_EQ(cam.Ask("ID?"), "ID=ABCDEFGHIJ");
    EXPECT_EQ(cam.Ask("ID00=AGAIN"), kErrorLocked) << "each write needs its own unlock";

    const std::string sixtyFour(64, 'u');
    EXPECT_EQ(cam.Ask("UD=" + sixtyFour), kReplyComplete);
    EXPECT_EQ(cam.Ask("UD?"), "UD=" + sixtyFour);
    EXPECT_EQ(cam.Ask("UD=" + sixtyFour + "u"), kErrorTooLong);
    EXPECT_EQ(cam.Ask("UD=Line 1, left"), kReplyComplete);
    EXPECT_EQ(cam.Ask("UD?"), "UD=Line 1, left") << "a text is kept as sent";
    EXPECT_EQ(cam.Ask("UD="), kReplyComplete);
    EXPECT_EQ(cam.Ask("UD?"), "UD=");

    EXPECT_EQ(cam.Ask("DV00=1.3.4.5"), kReplyComplete);
    EXPECT_EQ(cam.Ask("DV?"), "DV=1.3.4.5");

    // The model name carries the personality with it; a name that is neither model keeps it.
    EXPECT_EQ(cam.Ask("LROP?"), kErrorNotSupported);
    EXPECT_EQ(cam.Ask("MD00=VR-8200-KB"), kReplyComplete);
    EXPECT_EQ(cam.Ask("MD?"), "MD=VR-8200-KB");
    EXPECT_EQ(cam.Camera().Kind(), CameraKind::KB);
    EXPECT_EQ(cam.Ask("LROP?"), "LROP=0");
    EXPECT_EQ(cam.Ask("PER?"), kErrorNotSupported);
    EXPECT_EQ(cam.Ask("MD00=VR-9999"), kReplyComplete);
    EXPECT_EQ(cam.Ask("MD?"), "MD=VR-9999");
    EXPECT_EQ(cam.Camera().Kind(), CameraKind::KB);
    EXPECT_EQ(cam.Ask("MD00="), kErrorOutOfRange);
    EXPECT_EQ(cam.Ask("MD=VR-8200-KA"), kErrorReadOnly);
}

TEST(VirtualCameraState, NonVolatileMemorySurvivesSaveAndLoad) {
    SimOptions o;
    o.areaMs = 0;
    CameraFixture cam(o);
    const uint64_t before = cam.Camera().FlashGeneration();
    cam.Set("GA", 640);
    EXPECT_EQ(cam.Camera().FlashGeneration(), before) << "a working setting is not non-volatile";
    cam.Send("SA=1");
    cam.Set("BAS00", 1);
    cam.Ask("ULCK=6182057");
    cam.Ask("ID00=SAVED1");
    cam.Ask("UD=kept");
    cam.Ask("MD00=VR-8200-KB");
    cam.Set("XMLVR", 321);
    cam.Set("CACC1B", 77);
    cam.Set("CACS", 0);
    cam.Set("SDM", 2);
    cam.Set("SDDS", 2);
    cam.Set("SDDI", 1024);
    cam.Set("SDD", 6000);
    cam.Set("SDDU", 0);
    cam.Set("SDDA", 0);
    EXPECT_GT(cam.Camera().FlashGeneration(), before);
    const std::string state = cam.Camera().SaveState();

    CameraFixture other(Model("KA"));
    std::string error;
    ASSERT_TRUE(other.Camera().LoadState(state, &error)) << error;
    EXPECT_EQ(other.Ask("MD?"), "MD=VR-8200-KB");
    EXPECT_EQ(other.Camera().Kind(), CameraKind::KB);
    EXPECT_EQ(other.Ask("ID?"), "ID=SAVED1");
    EXPECT_EQ(other.Ask("UD?"), "UD=kept");
    EXPECT_EQ(other.GetInt("XMLVR"), 321);
    EXPECT_EQ(other.GetInt("EA"), 1) << "boots the user area stored last";
    EXPECT_EQ(other.GetInt("GA"), 640);
    EXPECT_EQ(other.GetInt("CACC1B"), 77);
    EXPECT_EQ(other.Camera().ShadingEntry(1, 2, 1023), 6000);
    EXPECT_EQ(other.Camera().SaveState(), state);

    const std::string damaged[] = {"", "something else\n", "vr8200-sim-state 1\nlut0=1,2,3\n",
                                   "vr8200-sim-state 1\nboot-area=7\n"};
    for (const std::string& bad : damaged) {
        EXPECT_FALSE(other.Camera().LoadState(bad, &error)) << bad;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(other.Camera().SaveState(), state) << "a damaged state changes nothing";
}
