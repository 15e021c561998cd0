// The virtual camera's linked limits, tables, one-push functions, chromatic aberration and counters.

#include <gtest/gtest.h>

#include "CameraFixture.h"

using namespace vr::sim;
using namespace vr::sim::test;

TEST(VirtualCameraFunctions, LineRateExposureAndWindowsFollowTheFormat) {
    CameraFixture cam;
    // 4096 RGB8 pixels over Camera Link base (3 bytes a clock) at 85 MHz take 48.19 us, plus 2 us.
    cam.Talk(
        "LRMIN? > LRMIN=5019; PEMIN? > PEMIN=100; PEMAX? > PEMAX=19900; LR=5018 > Range; LR=5019 > C;"
        "PEMAX? > PEMAX=4919; PE? > PE=4919; PE=4920 > Range; PE=99 > Range");
    // A format that needs more time stretches the line; a faster one leaves it.
    cam.Talk(
        "BA=2 > C; LRMIN? > LRMIN=7429; LR? > LR=7429; CLCFG=4 > C; LR? > LR=7429; WTC=1024 > C;"
        "LRMIN? > LRMIN=743");
    CameraFixture(Model("KB")).Talk("CLCF=3 > C; LRMIN? > LRMIN=13051; LROP=1 > C; LRMIN? > LRMIN=12951");

    // Widths step by 8, offsets by 16, windows keep to the sensor, binning scales them.
    CameraFixture().Talk(
        "WTC=100 > C; WTC? > WTC=96; OFC=4001 > C; OFC? > OFC=4000; WTC=512 > C; OFC? > OFC=3584;"
        "OFC=3600 > Range; AWBW=1000 > C; AWBO=3000 > C; HB=2 > C; WTC? > WTC=256; OFC? > OFC=1792;"
        "AWBW? > AWBW=496; AWBO? > AWBO=1488; WTC=2056 > Range; HB=1 > C; WTC? > WTC=512; OFC? > OFC=3584");

    // KA exposures: the common one drives all three; interlocked red and blue keep their ratio.
    cam.Talk(
        "LR=20000 > C; PE=6000 > C; PER? > PER=6000; ETM=1 > C; PER=9000 > C; PEB=3000 > C; PE=5000 > C;"
        "PER? > PER=9000; EI=1 > C; PEG=12000 > C; PER? > PER=18000; PEB? > PEB=6000");
}

TEST(VirtualCameraFunctions, LutAndShadingTablesRoundTrip) {
    CameraFixture cam;
    cam.Talk(
        "LUTR? > LUTR=0; LUTIR=255 > C; LUTR? > LUTR=4095; LUTIR=10 > C; LUTR=1234 > C; LUTIG=10 > C;"
        "LUTG? > LUTG=160; LUTIR=11 > C; LUTR? > LUTR=176; LUTIR=10 > C; LUTR? > LUTR=1234;"
        "LUTIR=256 > Range; LUTR=4096 > Range; LUTB=-1 > Range");
    // Shading goes through a staging table that "SDDU" applies; another slot drops what was not.
    cam.Talk(
        "SDM=1 > C; SDDS=1 > C; SDDI=1024 > C; SDD? > SDD=4096; SDD=5000 > C; SDD? > SDD=5000; SDM=2 > C;"
        "SDM=1 > C; SDD? > SDD=4096; SDD=5000 > C; SDDU=0 > C; SDM=3 > C; SDM=1 > C; SDD? > SDD=5000");
    EXPECT_EQ(cam.Camera().ShadingEntry(0, 1, 1023), 5000);
    cam.Talk("SDDS=3 > Range; SDDI=0 > Range; SDDI=1025 > Range; SDD=8192 > Range; SDDU=1 > Range; SDDA=1 > Range");
    const uint64_t generation = cam.Camera().FlashGeneration();
    cam.Talk("SDDA=0 > C");
    EXPECT_GT(cam.Camera().FlashGeneration(), generation);
}

TEST(VirtualCameraFunctions, WhiteBalanceTakesItsTimeAndBalancesGainsOrExposures) {
    CameraFixture cam;  // white balance takes 1500 ms
    cam.Talk(
        "AWRS? > AWRS=5; AWB=2 >; MD? >; ~1499 >; ~1 > C|MD=VR-8200-KA; AWRS? > AWRS=1; GAR? > GAR=125;"
        "GAB? > GAB=80; AWB? > AWB=0");
    // With individual gains red and blue follow green; a saturated scene fails and changes nothing.
    cam.Talk(
        "GM=1 > C; GAG=200 > C; AWB=2 >; ~1500 > C; GAR? > GAR=250; GAB? > GAB=160; GAG=800 > C; AWB=2 >;"
        "~1500 > C; AWRS? > AWRS=2; GAR? > GAR=250");
    cam.Talk("WB1R=150 > C; WB1B=60 > C; AWB=6 > C; GAR? > GAR=150; GAB? > GAB=60; AWB? > AWB=6");
    // Exposure white balance, KA only.
    cam.Talk(
        "GAG=100 > C; ETM=1 > C; PEG=10000 > C; AHRS? > AHRS=5; AWB=4 >; ~1500 > C; AHRS? > AHRS=1;"
        "PER? > PER=12500; PEB? > PEB=8000");
    CameraFixture(Model("KB")).Talk("AWB=4 > Range");
}

TEST(VirtualCameraFunctions, GainAutoShadingAndRecalibrationReachTheirResults) {
    CameraFixture cam(With([](SimOptions& o) { o.shadingMs = 60000; }));  // gain auto 1000 ms, recalibration 3000 ms
    cam.Talk("AGCS? > AGCS=4; AGC=2 >; ~1000 > C; AGCS? > AGCS=1; GA? > GA=200");
    // The gain 95 % needs at a short exposure is beyond 3200: Control Limit, as far as it goes.
    cam.Talk("AGCF=95 > C; PE=500 > C; AGC=2 >; ~1000 > C; AGCS? > AGCS=3; GA? > GA=3200");
    cam.Talk("PE=8000 > C; GA=100 > C; SDM=2 > C; RS=0 >; ~60000 > C; SDRS? > SDRS=4; SDD? > SDD=4710");
    // The correction lifts the edges of the selected slot, blue most.
    EXPECT_EQ(cam.Camera().ShadingEntry(1, 2, 1023), 5120);
    EXPECT_EQ(cam.Camera().ShadingEntry(1, 1, 511), 4096);
    EXPECT_EQ(cam.Camera().ShadingEntry(0, 2, 0), 4096);
    cam.Talk(
        "PE=100 > C; RS=0 >; ~60000 > C; SDRS? > SDRS=1; PGR=0 > C; PGS? > PGS=0; ST? > ST=1; ~3000 >;"
        "PGS? > PGS=3; ST? > ST=0");
}

// A forced failure changes no gain; every forced code is read through the tool by test_calibration_pty.
TEST(VirtualCameraFunctions, ForcedFailuresChangeNoGain) {
    SimOptions o;
    o.awbMs = o.agcMs = 0;
    o.awbResult = o.agcResult = 2;
    CameraFixture(o).Talk("AWB=2 > C; AGC=2 > C; AWRS? > AWRS=2; AGCS? > AGCS=2; GAR? > GAR=100; GA? > GA=100");
}

TEST(VirtualCameraFunctions, ChromaticAberrationRatiosFollowTheMethod) {
    CameraFixture cam;
    // Simple shares the coefficient out, Linear ramps up to it; a new coefficient recalculates, a ratio
    // set by hand makes the method Custom and stays.
    cam.Talk(
        "CACMT0? > CACMT0=0; CACR0R8? > CACR0R8=500; CACMT0=1 > C; CACR0R4? > CACR0R4=250;"
        "CACRR0B2? > CACRR0B2=125; CACC0R=80 > C; CACR0R8? > CACR0R8=800; CACR0B8? > CACR0B8=500;"
        "CACR3B5=-700 > C; CACMT3? > CACMT3=2; CACRR2R1=10 > C; CACMT2? > CACMT2=2; CACMT1? > CACMT1=0;"
        "CACC3B=100 > C; CACR3B5? > CACR3B5=-700");
    cam.Talk(
        "CACR0R0=1001 > Range; CACR1=81 > Range; CACRB2=-81 > Range; CACC0R=9 > Range; CACRC3B=101 > Range;"
        "CACMT0=3 > Range; CACSM1=2 > Range; CACM=4 > Range; CACS=1 > Range");
    CameraFixture saved(With([](SimOptions& o) { o.resetMs = 0; }));  // what "CACS" saved survives a restart
    saved.Talk("CACR1=33 > C; CACS=0 > C; CACB1=44 > C; CRS00=1 > C; CACR1? > CACR1=33; CACB1? > CACB1=0");
}

TEST(VirtualCameraFunctions, CountersCountLinesWhileEnabled) {
    CameraFixture cam;  // 200 us lines: 5000 a second
    cam.Talk(
        "CS0? > CS0=0; CE0=1 > C; CS0? > CS0=2; ~1000 >; CV0? > CV0=5000; LR=10000 > C; ~1000 >;"
        "CV0? > CV0=15000; CE0=0 > C; ~1000 >; CV0? > CV0=15000; CS0? > CS0=0; CR0=0 > C; CV0? > CV0=0;"
        "CV1? > CV1=0; CR3=1 > Range; TMP0? > TMP0=35");
    cam.Talk("CE3=4 > C; ~432000000 >; CS3? > CS3=4; CV3? > CV3=2147483647; TMP0? > TMP0=48");
}
