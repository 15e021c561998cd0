// The virtual camera's read-outs, tables, one-push functions, chromatic aberration and counters.

#include <gtest/gtest.h>

#include "CameraFixture.h"

using namespace vr::sim;
using namespace vr::sim::test;
using namespace std::chrono_literals;

namespace {

const std::vector<std::string> kComplete = {kReplyComplete};

}  // namespace

TEST(VirtualCameraFunctions, LineRateAndExposureLimitsFollowTheFormat) {
    CameraFixture cam;
    // 4096 RGB8 pixels over Camera Link base (3 bytes a clock) at 85 MHz: 48.19 us, plus 2 us.
    EXPECT_EQ(cam.GetInt("LRMIN"), 5019);
    EXPECT_EQ(cam.GetInt("PEMIN"), 100);
    EXPECT_EQ(cam.GetInt("PEMAX"), 19900);
    EXPECT_EQ(cam.Ask("LR=5018"), kErrorOutOfRange);
    cam.Set("LR", 5019);
    EXPECT_EQ(cam.GetInt("PEMAX"), 4919);
    EXPECT_EQ(cam.GetInt("PE"), 4919) << "a shorter line cuts the exposure";
    EXPECT_EQ(cam.Ask("PE=4920"), kErrorOutOfRange);
    EXPECT_EQ(cam.Ask("PE=99"), kErrorOutOfRange);
    cam.Set("PE", 100);

    // A format that needs more time stretches the line rather than being refused.
    cam.Set("BA", 2);
    const int32_t rgb12 = cam.GetInt("LRMIN");
    EXPECT_EQ(rgb12, 7429);  // 6144 clocks at 85 MHz, plus 2 us
    EXPECT_EQ(cam.GetInt("LR"), rgb12);
    cam.Set("CLCFG", 4);
    EXPECT_LT(cam.GetInt("LRMIN"), rgb12);
    EXPECT_EQ(cam.GetInt("LR"), rgb12) << "a faster format leaves the line period alone";
    cam.Set("WTC", 1024);
    EXPECT_EQ(cam.GetInt("LRMIN"), 743);  // 461 clocks of 80 bits, plus 2 us

    CameraFixture kb(Model("KB"));
    kb.Set("CLCF", 3);
    const int32_t slow = kb.GetInt("LRMIN");
    kb.Set("LROP", 1);
    EXPECT_EQ(kb.GetInt("LRMIN"), slow - 100) << "Mode2 halves the line overhead";
}

TEST(VirtualCameraFunctions, ImageWindowsKeepToTheSensor) {
    CameraFixture cam;
    cam.Set("WTC", 100);
    EXPECT_EQ(cam.GetInt("WTC"), 96) << "widths come in steps of 8";
    cam.Set("OFC", 4000);
    EXPECT_EQ(cam.GetInt("OFC"), 4000);
    EXPECT_EQ(cam.Ask("OFC=4001"), kReplyComplete);
    EXPECT_EQ(cam.GetInt("OFC"), 4000) << "offsets come in steps of 16";
    cam.Set("WTC", 512);
    EXPECT_EQ(cam.GetInt("OFC"), 3584) << "a wider image pulls the offset in";
    EXPECT_EQ(cam.Ask("OFC=3600"), kErrorOutOfRange);
    cam.Set("AWBW", 1000);
    cam.Set("AWBO", 3000);
    cam.Set("HB", 2);
    EXPECT_EQ(cam.GetInt("WTC"), 256);
    EXPECT_EQ(cam.GetInt("OFC"), 1792);
    EXPECT_EQ(cam.GetInt("AWBW"), 496);
    EXPECT_EQ(cam.GetInt("AWBO"), 1488);
    EXPECT_EQ(cam.Ask("WTC=2056"), kErrorOutOfRange) << "binned, the sensor is 2048 wide";
    cam.Set("HB", 1);
    EXPECT_EQ(cam.GetInt("WTC"), 512);
    EXPECT_EQ(cam.GetInt("OFC"), 3584);
}

TEST(VirtualCameraFunctions, ExposuresOfTheKaFollowTheCommonOneOrKeepTheirRatio) {
    CameraFixture cam;
    cam.Set("PE", 6000);
    EXPECT_EQ(cam.GetInt("PER"), 6000);
    EXPECT_EQ(cam.GetInt("PEB"), 6000);
    cam.Set("ETM", 1);
    cam.Set("PER", 9000);
    cam.Set("PEB", 3000);
    cam.Set("PE", 5000);
    EXPECT_EQ(cam.GetInt("PER"), 9000) << "individual exposures stay";
    cam.Set("EI", 1);
    cam.Set("PEG", 12000);
    EXPECT_EQ(cam.GetInt("PER"), 18000);
    EXPECT_EQ(cam.GetInt("PEB"), 6000);
}

TEST(VirtualCameraFunctions, LutEntriesRoundTripPerColour) {
    CameraFixture cam;
    EXPECT_EQ(cam.GetInt("LUTR"), 0);
    cam.Set("LUTIR", 255);
    EXPECT_EQ(cam.GetInt("LUTR"), 4095);
    cam.Set("LUTIR", 10);
    cam.Set("LUTR", 1234);
    cam.Set("LUTIG", 10);
    cam.Set("LUTIB", 11);
    cam.Set("LUTB", 4095);
    EXPECT_EQ(cam.GetInt("LUTG"), 160) << "green keeps its own table";
    cam.Set("LUTIR", 11);
    EXPECT_EQ(cam.GetInt("LUTR"), 176);
    cam.Set("LUTIR", 10);
    EXPECT_EQ(cam.GetInt("LUTR"), 1234);
    EXPECT_EQ(cam.Camera().LutEntry(2, 11), 4095);
    for (const char* bad : {"LUTIR=256", "LUTIG=-1", "LUTR=4096", "LUTB=-1"}) EXPECT_EQ(cam.Ask(bad), kErrorOutOfRange);
    cam.Set("GMA", 100);
}

TEST(VirtualCameraFunctions, ShadingTransfersGoThroughTheStagingTable) {
    CameraFixture cam;
    cam.Set("SDM", 1);
    cam.Set("SDDS", 1);
    cam.Set("SDDI", 1024);
    EXPECT_EQ(cam.GetInt("SDD"), 4096);
    cam.Set("SDD", 5000);
    EXPECT_EQ(cam.GetInt("SDD"), 5000);
    EXPECT_EQ(cam.Camera().ShadingEntry(0, 1, 1023), 4096) << "not applied before SDDU";
    cam.Set("SDM", 2);
    cam.Set("SDM", 1);
    EXPECT_EQ(cam.GetInt("SDD"), 4096) << "switching slots drops what was not applied";
    cam.Set("SDD", 5000);
    cam.Set("SDDU", 0);
    EXPECT_EQ(cam.Camera().ShadingEntry(0, 1, 1023), 5000);
    cam.Set("SDM", 3);
    cam.Set("SDM", 1);
    EXPECT_EQ(cam.GetInt("SDD"), 5000);
    for (const char* bad : {"SDDS=3", "SDDI=0", "SDDI=1025", "SDD=8192", "SDD=-1", "SDDU=1", "SDDA=1"})
        EXPECT_EQ(cam.Ask(bad), kErrorOutOfRange) << bad;
    const uint64_t generation = cam.Camera().FlashGeneration();
    cam.Set("SDDA", 0);
    EXPECT_GT(cam.Camera().FlashGeneration(), generation);
}

TEST(VirtualCameraFunctions, WhiteBalanceTakesItsTimeAndBalancesTheGains) {
    SimOptions o;
    o.awbMs = 1500;
    CameraFixture cam(o);
    EXPECT_EQ(cam.GetInt("AWRS"), 5) << "IDLE before the first run";
    EXPECT_TRUE(cam.Send("AWB=2").empty());
    EXPECT_TRUE(cam.Camera().Busy());
    EXPECT_TRUE(cam.Wait(1499ms).empty());
    EXPECT_EQ(cam.Wait(1ms), kComplete);
    EXPECT_EQ(cam.GetInt("AWRS"), 1);
    EXPECT_EQ(cam.GetInt("GAR"), 125);
    EXPECT_EQ(cam.GetInt("GAB"), 80);
    EXPECT_EQ(cam.GetInt("AWB"), 0) << "once falls back to Off";

    cam.Set("GM", 1);
    cam.Set("GAG", 200);
    cam.Send("AWB=2");
    cam.Wait(1500ms);
    EXPECT_EQ(cam.GetInt("GAR"), 250) << "red and blue follow the green gain";
    EXPECT_EQ(cam.GetInt("GAB"), 160);

    cam.Set("GAG", 800);  // the scene now saturates green
    cam.Send("AWB=2");
    cam.Wait(1500ms);
    EXPECT_EQ(cam.GetInt("AWRS"), 2);
    EXPECT_EQ(cam.GetInt("GAR"), 250) << "a failed balance changes nothing";

    cam.Set("WB1R", 150);
    cam.Set("WB1B", 60);
    EXPECT_EQ(cam.Send("AWB=6"), kComplete) << "a preset takes effect at once";
    EXPECT_EQ(cam.GetInt("GAR"), 150);
    EXPECT_EQ(cam.GetInt("GAB"), 60);
    EXPECT_EQ(cam.GetInt("AWB"), 6);
}

TEST(VirtualCameraFunctions, ExposureWhiteBalanceExistsOnTheKaOnly) {
    SimOptions o;
    o.awbMs = 10;
    CameraFixture ka(o);
    ka.Set("ETM", 1);
    ka.Set("PEG", 10000);
    EXPECT_EQ(ka.GetInt("AHRS"), 5);
    EXPECT_TRUE(ka.Send("AWB=4").empty());
    EXPECT_EQ(ka.Wait(10ms), kComplete);
    EXPECT_EQ(ka.GetInt("AHRS"), 1);
    EXPECT_EQ(ka.GetInt("PER"), 12500);
    EXPECT_EQ(ka.GetInt("PEB"), 8000);
    EXPECT_EQ(ka.GetInt("AWRS"), 5) << "the other result is untouched";

    o.model = "KB";
    CameraFixture kb(o);
    EXPECT_EQ(kb.Ask("AWB=4"), kErrorOutOfRange);
}

TEST(VirtualCameraFunctions, ForcedResultCodesReplaceTheCamerasOwn) {
    SimOptions o;
    o.awbMs = o.agcMs = o.shadingMs = 0;
    o.recalibrateMs = 1000;
    o.awbResult = 4;
    o.exposureAwbResult = 3;
    o.agcResult = 2;
    o.shadingResult = 0;
    o.pixelGainResult = 3;
    o.pixelBlackResult = 4;
    CameraFixture cam(o);
    for (const char* start : {"AWB=2", "AWB=4", "AGC=2", "RS=0", "PGR=0", "PBR=0", "PGR00=0", "PBR00=0", "SDR00=0"})
        EXPECT_EQ(cam.Send(start), kComplete) << start;
    EXPECT_EQ(cam.GetInt("AWRS"), 4);
    EXPECT_EQ(cam.GetInt("AHRS"), 3);
    EXPECT_EQ(cam.GetInt("AGCS"), 2);
    EXPECT_EQ(cam.GetInt("SDRS"), 0);
    EXPECT_EQ(cam.GetInt("GAR"), 100) << "a forced failure leaves the gains";
    EXPECT_EQ(cam.GetInt("GA"), 100);
    for (const char* status : {"PGS", "PBS", "PGS00", "PBS00", "SDS00"}) EXPECT_EQ(cam.GetInt(status), 0) << status;
    EXPECT_EQ(cam.GetInt("ST"), 1);
    cam.Wait(1000ms);
    EXPECT_EQ(cam.GetInt("PGS"), 3);
    EXPECT_EQ(cam.GetInt("PBS"), 4);
    EXPECT_EQ(cam.GetInt("PGS00"), 3);
    EXPECT_EQ(cam.GetInt("PBS00"), 4);
    EXPECT_EQ(cam.GetInt("SDS00"), 0);
    EXPECT_EQ(cam.GetInt("ST"), 0);
}

TEST(VirtualCameraFunctions, GainAutoAndShadingCalibrationReachTheirTargets) {
    SimOptions o;
    o.agcMs = 1000;
    o.shadingMs = 60000;
    o.recalibrateMs = 3000;
    CameraFixture cam(o);
    EXPECT_EQ(cam.GetInt("AGCS"), 4) << "IDLE before the first run";
    EXPECT_TRUE(cam.Send("AGC=2").empty());
    EXPECT_EQ(cam.Wait(1000ms), kComplete);
    EXPECT_EQ(cam.GetInt("AGCS"), 1);
    EXPECT_EQ(cam.GetInt("GA"), 200) << "green at 50 % of full scale";
    cam.Set("AGCF", 95);
    cam.Set("PE", 500);
    cam.Send("AGC=2");
    cam.Wait(1000ms);
    EXPECT_EQ(cam.GetInt("AGCS"), 3) << "the gain it needs is beyond 3200";
    EXPECT_EQ(cam.GetInt("GA"), 3200) << "as far as it goes";

    cam.Set("PE", 8000);
    cam.Set("GA", 100);
    cam.Set("SDM", 2);
    EXPECT_TRUE(cam.Send("RS=0").empty());
    EXPECT_TRUE(cam.Send("MD?").empty());
    EXPECT_TRUE(cam.Wait(59999ms).empty());
    EXPECT_EQ(cam.Wait(1ms), (std::vector<std::string>{kReplyComplete, "MD=VR-8200-KA"}));
    EXPECT_EQ(cam.GetInt("SDRS"), 4);
    // The correction lifts the edges of the selected slot, blue most.
    EXPECT_EQ(cam.Camera().ShadingEntry(1, 0, 0), 4710);
    EXPECT_EQ(cam.Camera().ShadingEntry(1, 2, 1023), 5120);
    EXPECT_EQ(cam.Camera().ShadingEntry(1, 1, 511), 4096);
    EXPECT_EQ(cam.Camera().ShadingEntry(0, 2, 0), 4096);
    EXPECT_EQ(cam.GetInt("SDD"), 4710) << "transfers read the new table";

    cam.Set("PE", 100);  // too dark to calibrate
    cam.Send("RS=0");
    cam.Wait(60000ms);
    EXPECT_EQ(cam.GetInt("SDRS"), 1);
    EXPECT_EQ(cam.Send("PGR=0"), kComplete) << "recalibration answers at once";
    EXPECT_EQ(cam.GetInt("PGS"), 0);
    cam.Wait(3000ms);
    EXPECT_EQ(cam.GetInt("PGS"), 3);
}

TEST(VirtualCameraFunctions, ChromaticAberrationRatiosFollowTheMethod) {
    CameraFixture cam;
    EXPECT_EQ(cam.GetInt("CACMT0"), 0);
    EXPECT_EQ(cam.GetInt("CACR0R8"), 500) << "Simple: every point gets the coefficient's share";
    cam.Set("CACMT0", 1);
    EXPECT_EQ(cam.GetInt("CACR0R8"), 500);
    EXPECT_EQ(cam.GetInt("CACR0R4"), 250) << "Linear ramps up to it";
    EXPECT_EQ(cam.GetInt("CACRR0B2"), 125);
    cam.Set("CACC0R", 80);
    EXPECT_EQ(cam.GetInt("CACR0R8"), 800);
    EXPECT_EQ(cam.GetInt("CACR0B8"), 500) << "blue has its own coefficient";
    cam.Set("CACR3B5", -700);
    EXPECT_EQ(cam.GetInt("CACMT3"), 2) << "a ratio set by hand makes the method Custom";
    cam.Set("CACRR2R1", 10);
    EXPECT_EQ(cam.GetInt("CACMT2"), 2);
    EXPECT_EQ(cam.GetInt("CACMT1"), 0);
    cam.Set("CACC3B", 100);
    EXPECT_EQ(cam.GetInt("CACR3B5"), -700) << "Custom ratios stay when the coefficient changes";
    for (const char* bad : {"CACR0R0=1001", "CACR1=81", "CACRB2=-81", "CACC0R=9", "CACRC3B=101", "CACMT0=3", "CACSM1=2",
                            "CACM=4", "CACS=1"})
        EXPECT_EQ(cam.Ask(bad), kErrorOutOfRange) << bad;

    // Saved with CACS, the tables survive a restart; what was not saved does not.
    SimOptions o;
    o.resetMs = 0;
    CameraFixture saved(o);
    saved.Set("CACR1", 33);
    saved.Set("CACS", 0);
    saved.Set("CACB1", 44);
    saved.Send("CRS00=1");
    EXPECT_EQ(saved.GetInt("CACR1"), 33);
    EXPECT_EQ(saved.GetInt("CACB1"), 0);
}

TEST(VirtualCameraFunctions, CountersCountLinesWhileEnabled) {
    CameraFixture cam;  // 200 us lines: 5000 a second
    EXPECT_EQ(cam.GetInt("CS0"), 0);
    cam.Set("CE0", 1);
    EXPECT_EQ(cam.GetInt("CS0"), 2);
    cam.Wait(1000ms);
    EXPECT_EQ(cam.GetInt("CV0"), 5000);
    cam.Set("LR", 10000);
    cam.Wait(1000ms);
    EXPECT_EQ(cam.GetInt("CV0"), 15000) << "counted at the old period, then the new";
    cam.Set("CE0", 0);
    cam.Wait(1000ms);
    EXPECT_EQ(cam.GetInt("CV0"), 15000) << "a disabled counter holds its count";
    EXPECT_EQ(cam.GetInt("CS0"), 0);
    cam.Set("CR0", 0);
    EXPECT_EQ(cam.GetInt("CV0"), 0);
    EXPECT_EQ(cam.GetInt("CV1"), 0) << "the others never ran";

    cam.Set("CE3", 4);
    cam.Wait(std::chrono::hours(120));
    EXPECT_EQ(cam.GetInt("CS3"), 4) << "past 2^31 lines the counter overflows";
    EXPECT_EQ(cam.GetInt("CV3"), INT32_MAX);
    EXPECT_EQ(cam.Ask("CR3=1"), kErrorOutOfRange);
}

TEST(VirtualCameraFunctions, TemperatureRisesAfterPowerUpAndLevelsOff) {
    CameraFixture cam;
    EXPECT_EQ(cam.GetInt("TMP0"), 35);
    cam.Wait(std::chrono::minutes(5));
    EXPECT_EQ(cam.GetInt("TMP0"), 40);
    cam.Wait(std::chrono::hours(2));
    EXPECT_EQ(cam.GetInt("TMP0"), 48);
}
