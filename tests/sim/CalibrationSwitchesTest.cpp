// The fault switches that the one-push tests lean on: white balance codes per run, a status that
// stays busy for a number of reads, and a camera that hangs at a given line.

#include <gtest/gtest.h>

#include <string>

#include "CameraFixture.h"
#include "sim/SimOptions.h"

using namespace vr::sim;
using vr::sim::test::CameraFixture;
using vr::sim::test::With;

TEST(CalibrationSwitches, WhiteBalanceRunsTakeTheirCodesInTurnThenTheUsualOne) {
    CameraFixture cam(With([](SimOptions& o) {
        o.awbMs = 0;
        o.awbResultRuns = {4, 3};
        o.awbResult = 2;
    }));
    cam.Talk(
        "AWB=2 > C; AWRS? > AWRS=4; AWB=2 > C; AWRS? > AWRS=3; AWB=2 > C; AWRS? > AWRS=2; AWB=2 > C;"
        "AWRS? > AWRS=2");
    // The camera's own Auto Setting counts its two runs alike: 1 goes on, 3 stops before gain auto.
    CameraFixture chained(With([](SimOptions& o) {
        o.awbMs = o.shadingMs = o.agcMs = 0;
        o.awbResultRuns = {1, 3};
    }));
    chained.Talk("AS=0 > C; AWRS? > AWRS=3; AGCS? > AGCS=4");
}

TEST(CalibrationSwitches, StatusStaysBusyForItsReadsWhateverTheClock) {
    CameraFixture cam(With([](SimOptions& o) {
        o.busyStatusReads = 2;
        o.pixelBlackResult = 3;
    }));
    cam.Talk("PBR=0 > C; ST? > ST=1; PBS? > PBS=0; ~60000 >; PBS? > PBS=0; ST? > ST=0; PBS? > PBS=3; PBS? > PBS=3");
    // A forced 0 is a recalibration that never ends.
    CameraFixture forever(With([](SimOptions& o) { o.pixelGainResult = 0; }));
    forever.Talk("PGR00=0 > C; ~600000 >; PGS00? > PGS00=0");
}

TEST(CalibrationSwitches, CameraHangsAtTheNamedLineAndStaysSilent) {
    CameraFixture cam(With([](SimOptions& o) {
        o.recalibrateMs = 0;
        o.hangAtCommand = "pgs";
        o.hangAtCount = 2;
    }));
    cam.Talk("PGR=0 > C; pgs? > PGS=1; GA? > GA=100; PGS? >; GA? >; ~5000 >");
    EXPECT_TRUE(cam.Camera().Hung());
    // A function under way when the camera hangs never completes.
    CameraFixture busy(With([](SimOptions& o) {
        o.shadingMs = 1000;
        o.hangAtCommand = "SDRS";
    }));
    busy.Talk("RS=0 >; SDRS? >; ~2000 >");
}

TEST(CalibrationSwitches, OptionsAreChecked) {
    const struct {
        void (*set)(SimOptions&);
        const char* reason;
    } bad[] = {
        {[](SimOptions& o) { o.busyStatusReads = -1; }, "busy status reads"},
        {[](SimOptions& o) { o.hangAtCommand = "NOPE"; }, "cannot hang at"},
        {[](SimOptions& o) {
             o.hangAtCommand = "PGS";
             o.hangAtCount = 0;
         },
         "counted from 1"},
    };
    for (const auto& b : bad) {
        SimOptions o;
        b.set(o);
        std::string error;
        EXPECT_FALSE(ValidateOptions(o, &error)) << b.reason;
        EXPECT_NE(error.find(b.reason), std::string::npos) << error;
    }
}
