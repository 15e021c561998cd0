// The virtual camera's rate switch, restart, memory areas, identity writes and non-volatile state.

#include <gtest/gtest.h>

#include "CameraFixture.h"

using namespace vr::sim;
using namespace vr::sim::test;

TEST(VirtualCameraState, RateCodesSwitchTheUartAfterTheAnswer) {
    CameraFixture cam;
    for (const auto& [code, rate] :
         {std::pair{"2", 19200u}, {"4", 38400u}, {"8", 57600u}, {"16", 115200u}, {"1", 9600u}}) {
        cam.Talk(std::string("CBDRT=") + code + " > C; CBDRT? > CBDRT=" + code);
        EXPECT_EQ(cam.Camera().CurrentRate(), rate);
    }
    cam.Talk("CBDRT=0 > Range; CBDRT=3 > Range; CBDRT=115200 > Range");
    EXPECT_EQ(cam.Camera().CurrentRate(), 9600u);
    CameraFixture(With([](SimOptions& o) { o.startRate = 57600; })).Talk("CBDRT? > CBDRT=8");
}

TEST(VirtualCameraState, RestartIsSilentThenBootsTheBootAreaAt9600) {
    SimOptions o;
    o.resetMs = 2000;
    o.areaMs = 0;
    o.startRate = 115200;
    CameraFixture cam(o);
    cam.Talk("GA=300 > C; SA=3 > C; GA=400 > C; LUTIR=5 > C; CRS00=0 > Range; CRS00=1 > C");
    EXPECT_FALSE(cam.Camera().Listening());
    EXPECT_EQ(cam.Camera().CurrentRate(), 9600u);
    cam.Talk("MD? >; ~1999 >");
    EXPECT_FALSE(cam.Camera().Listening()) << "a restarting camera hears nothing";
    cam.Talk("~1 >; GA? > GA=100; LUTIR? > LUTIR=0; EA? > EA=0");
    // "Update Area" boots the user area stored last.
    cam.Talk("BAS00=1 > C; CRS00=1 > C; ~2000 >; EA? > EA=3; GA? > GA=300; BAS00? > BAS00=1");
}

TEST(VirtualCameraState, AreasStoreLoadAndReportTheAreaInUse) {
    CameraFixture cam;  // area operations take 300 ms
    cam.Talk("GA=400 > C; LUTIG=7 > C; LUTG=999 > C; SA=2 >; GA? >; ~299 >; ~1 > C|GA=400; EA? > EA=2");
    cam.Talk("GA=500 > C; LD=0 >; ~300 > C; GA? > GA=100; LUTG? > LUTG=112; EA? > EA=0");
    cam.Talk("LD=2 >; ~300 > C; GA? > GA=400; LUTG? > LUTG=999; EA? > EA=2");
    cam.Talk("SA=0 > Range; SA=4 > Range; LD=4 > Range; LD=-1 > Range; SA00=1 > Range");
    // The factory area keeps the factory settings too; loading a user area leaves them.
    cam.Talk(
        "OBRA=140 > C; SA00=0 >; ~300 > C; EA? > EA=0; OBRA=150 > C; LD=1 >; ~300 > C; OBRA? > OBRA=150; LD=0 >;"
        "~300 > C; OBRA? > OBRA=140");
}

TEST(VirtualCameraState, IdentityWritesFollowTheirRules) {
    CameraFixture cam;
    // Each write of the camera ID needs its own unlock.
    cam.Talk(
        "ID00=NEWID > ERROR: Locked; ULCK=1234 > ERROR: Invalid key; ID00=NEWID > ERROR: Locked; ULCK=6182057 > C;"
        "ID00=ABCDEFGHIJK > ERROR: Too long; ID00=ABCDEFGHIJ > C; ID? > ID=ABCDEFGHIJ; ID00=AGAIN > ERROR: Locked");
    const std::string longest = "UD=" + std::string(64, 'u');
    cam.Talk(longest + " > C; " + longest + "u > ERROR: Too long; UD? > " + longest);
    cam.Talk(
        "UD=Line 1, left > C; UD? > UD=Line 1, left; UD= > C; UD? > UD=; DV00=1.3.4.5 > C; DV? > DV=1.3.4.5;"
        "MD=VR-8200-KA > ERROR: Read only");
    // The model name carries the personality with it; a name that is neither model keeps it.
    cam.Talk(
        "LROP? > ERROR: Not supported; MD00=VR-8200-KB > C; MD? > MD=VR-8200-KB; LROP? > LROP=0;"
        "PER? > ERROR: Not supported; MD00=VR-9999 > C; MD? > MD=VR-9999; MD00= > Range");
    EXPECT_EQ(cam.Camera().Kind(), CameraKind::KB);
}

TEST(VirtualCameraState, NonVolatileMemorySurvivesSaveAndLoad) {
    CameraFixture cam(With([](SimOptions& o) { o.areaMs = 0; }));
    const uint64_t before = cam.Camera().FlashGeneration();
    cam.Talk("GA=640 > C");
    EXPECT_EQ(cam.Camera().FlashGeneration(), before) << "a working setting is not non-volatile";
    cam.Talk(
        "SA=1 > C; BAS00=1 > C; ULCK=6182057 > C; ID00=SAVED1 > C; UD=kept > C; MD00=VR-8200-KB > C; XMLVR=321 > C;"
        "CACC1B=77 > C; CACS=0 > C; SDM=2 > C; SDDS=2 > C; SDDI=1024 > C; SDD=6000 > C; SDDU=0 > C; SDDA=0 > C");
    EXPECT_GT(cam.Camera().FlashGeneration(), before);
    const std::string state = cam.Camera().SaveState();

    CameraFixture other;
    std::string error;
    ASSERT_TRUE(other.Camera().LoadState(state, &error)) << error;
    other.Talk(
        "MD? > MD=VR-8200-KB; ID? > ID=SAVED1; UD? > UD=kept; XMLVR? > XMLVR=321; EA? > EA=1; GA? > GA=640;"
        "CACC1B? > CACC1B=77");
    EXPECT_EQ(other.Camera().Kind(), CameraKind::KB);
    EXPECT_EQ(other.Camera().ShadingEntry(1, 2, 1023), 6000);
    EXPECT_EQ(other.Camera().SaveState(), state);
    const std::string damaged[] = {"", "something else\n", "vr8200-sim-state 1\nlut0=1,2,3\n",
                                   "vr8200-sim-state 1\nboot-area=7\n"};
    for (const std::string& bad : damaged) EXPECT_FALSE(other.Camera().LoadState(bad, &error)) << bad;
    EXPECT_EQ(other.Camera().SaveState(), state) << "a damaged state changes nothing";
}
