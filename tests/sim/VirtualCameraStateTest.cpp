// The virtual camera's rate switch, restart, memory areas, identity writes and non-volatile state.

#include <gtest/gtest.h>

#include "CameraFixture.h"

using namespace vr::sim;
using namespace vr::sim::test;

namespace {

const std::string C = kReplyComplete;

}  // namespace

TEST(VirtualCameraState, RateCodesSwitchTheUartAfterTheAnswer) {
    for (const auto& [code, rate] : {std::pair{1, 9600u}, {2, 19200u}, {4, 38400u}, {8, 57600u}, {16, 115200u}}) {
        CameraFixture cam;
        cam.Talk({{"CBDRT=" + std::to_string(code), C}});
        EXPECT_EQ(cam.Camera().CurrentRate(), rate);
        EXPECT_EQ(cam.GetInt("CBDRT"), code);
    }
    CameraFixture cam;
    cam.Talk({{"CBDRT=0", kErrorOutOfRange}, {"CBDRT=3", kErrorOutOfRange}, {"CBDRT=115200", kErrorOutOfRange}});
    EXPECT_EQ(cam.Camera().CurrentRate(), 9600u);
    SimOptions fast;
    fast.startRate = 57600;
    EXPECT_EQ(CameraFixture(fast).GetInt("CBDRT"), 8);
}

TEST(VirtualCameraState, RestartIsSilentThenBootsTheBootAreaAt9600) {
    SimOptions o;
    o.resetMs = 2000;
    o.areaMs = 0;
    o.startRate = 115200;
    CameraFixture cam(o);
    cam.Talk(
        {{"GA=300", C}, {"SA=3", C}, {"GA=400", C}, {"LUTIR=5", C}, {"CRS00=0", kErrorOutOfRange}, {"CRS00=1", C}});
    EXPECT_FALSE(cam.Camera().Listening());
    EXPECT_EQ(cam.Camera().CurrentRate(), 9600u);
    cam.Talk({{"MD?", ""}, {"~1999", ""}});
    EXPECT_FALSE(cam.Camera().Listening()) << "a restarting camera hears nothing";
    cam.Talk({{"~1", ""}, {"GA?", "GA=100"}, {"LUTIR?", "LUTIR=0"}, {"EA?", "EA=0"}});
    // "Update Area" boots the user area stored last.
    cam.Talk(
        {{"BAS00=1", C}, {"CRS00=1", C}, {"~2000", ""}, {"EA?", "EA=3"}, {"GA?", "GA=300"}, {"BAS00?", "BAS00=1"}});
}

TEST(VirtualCameraState, AreasStoreLoadAndReportTheAreaInUse) {
    CameraFixture cam;  // area operations take 300 ms
    // clang-format off
    cam.Talk({{"GA=400", C}, {"LUTIG=7", C}, {"LUTG=999", C}, {"SA=2", ""}, {"GA?", ""}, {"~299", ""},
              {"~1", C + "|GA=400"}, {"EA?", "EA=2"}});
    // clang-format on
    cam.Talk({{"GA=500", C}, {"LD=0", ""}, {"~300", C}, {"GA?", "GA=100"}, {"LUTG?", "LUTG=112"}, {"EA?", "EA=0"}});
    cam.Talk({{"LD=2", ""}, {"~300", C}, {"GA?", "GA=400"}, {"LUTG?", "LUTG=999"}, {"EA?", "EA=2"}});
    for (const char* bad : {"SA=0", "SA=4", "LD=4", "LD=-1", "SA00=1"}) cam.Talk({{bad, kErrorOutOfRange}});
    // The factory area keeps the factory settings too; loading a user area leaves them.
    // clang-format off
    cam.Talk({{"OBRA=140", C}, {"SA00=0", ""}, {"~300", C}, {"EA?", "EA=0"}, {"OBRA=150", C}, {"LD=1", ""}, {"~300", C},
              {"OBRA?", "OBRA=150"}, {"LD=0", ""}, {"~300", C}, {"OBRA?", "OBRA=140"}});
    // clang-format on
}

TEST(VirtualCameraState, IdentityWritesFollowTheirRules) {
    CameraFixture cam;
    const std::string sixtyFour(64, 'u');
    // Each write of the camera ID needs its own unlock.
    // clang-format off
    cam.Talk({{"ID00=NEWID", kErrorLocked}, {"ULCK=1234", kErrorInvalidKey}, {"ID00=NEWID", kErrorLocked},
              {"ULCK=6182057", C}, {"ID00=ABCDEFGHIJK", kErrorTooLong}, {"ID00=ABCDEFGHIJ", C},
              {"ID?", "ID=ABCDEFGHIJ"}, {"ID00=AGAIN", kErrorLocked}, {"UD=" + sixtyFour, C},
              {"UD=" + sixtyFour + "u", kErrorTooLong}, {"UD?", "UD=" + sixtyFour}, {"UD=Line 1, left", C},
              {"UD?", "UD=Line 1, left"}, {"UD=", C}, {"UD?", "UD="},
              {"DV00=1.3.4.5", C}, {"DV?", "DV=1.3.4.5"}, {"MD=VR-8200-KA", kErrorReadOnly}});
    // clang-format on
    // The model name carries the personality with it; a name that is neither model keeps it.
    // clang-format off
    cam.Talk({{"LROP?", kErrorNotSupported}, {"MD00=VR-8200-KB", C}, {"MD?", "MD=VR-8200-KB"}, {"LROP?", "LROP=0"},
              {"PER?", kErrorNotSupported}, {"MD00=VR-9999", C}, {"MD?", "MD=VR-9999"}, {"MD00=", kErrorOutOfRange}});
    // clang-format on
    EXPECT_EQ(cam.Camera().Kind(), CameraKind::KB);
}

TEST(VirtualCameraState, NonVolatileMemorySurvivesSaveAndLoad) {
    SimOptions o;
    o.areaMs = 0;
    CameraFixture cam(o);
    const uint64_t before = cam.Camera().FlashGeneration();
    cam.Talk({{"GA=640", C}});
    EXPECT_EQ(cam.Camera().FlashGeneration(), before) << "a working setting is not non-volatile";
    // clang-format off
    cam.Talk({{"SA=1", C}, {"BAS00=1", C}, {"ULCK=6182057", C}, {"ID00=SAVED1", C}, {"UD=kept", C},
              {"MD00=VR-8200-KB", C}, {"XMLVR=321", C}, {"CACC1B=77", C}, {"CACS=0", C}, {"SDM=2", C}, {"SDDS=2", C},
              {"SDDI=1024", C}, {"SDD=6000", C}, {"SDDU=0", C}, {"SDDA=0", C}});
    // clang-format on
    EXPECT_GT(cam.Camera().FlashGeneration(), before);
    const std::string state = cam.Camera().SaveState();

    CameraFixture other;
    std::string error;
    ASSERT_TRUE(other.Camera().LoadState(state, &error)) << error;
    // clang-format off
    other.Talk({{"MD?", "MD=VR-8200-KB"}, {"ID?", "ID=SAVED1"}, {"UD?", "UD=kept"}, {"XMLVR?", "XMLVR=321"},
                {"EA?", "EA=1"}, {"GA?", "GA=640"}, {"CACC1B?", "CACC1B=77"}});
    // clang-format on
    EXPECT_EQ(other.Camera().Kind(), CameraKind::KB);
    EXPECT_EQ(other.Camera().ShadingEntry(1, 2, 1023), 6000);
    EXPECT_EQ(other.Camera().SaveState(), state);
    const std::string damaged[] = {"", "something else\n", "vr8200-sim-state 1\nlut0=1,2,3\n",
                                   "vr8200-sim-state 1\nboot-area=7\n"};
    for (const std::string& bad : damaged) EXPECT_FALSE(other.Camera().LoadState(bad, &error)) << bad;
    EXPECT_EQ(other.Camera().SaveState(), state) << "a damaged state changes nothing";
}
