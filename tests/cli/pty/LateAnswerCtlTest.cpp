// A camera that answers one line late, over a pty: the late answer is listed as such and never taken
// for the next command's, so a refusal is pinned on the command refused and no value lands in the
// wrong place. A fresh camera hears four lines of start-up (MD?, EA?, CBDRT=16 twice) first.

#include <gtest/gtest.h>

#include "RunTool.h"
#include "sim/VirtualCamera.h"

using namespace vr::test;

namespace {

class LateAnswerCtlTest : public CtlFixture {
protected:
    void StartLate(const std::string& model, int line, int ms, std::vector<std::string> refuse) {
        Start(model, [&](vr::sim::SimOptions& o) {
            o.lateReplyLine = line;
            o.lateReplyMs = ms;
            o.refuse = refuse;
        });
    }
};

}  // namespace

// Line 5 (GA=403) answers after the 5 s time-out; GA=99999's own refusal is still reported.
TEST_F(LateAnswerCtlTest, LoadReportsTheRefusalAfterALateAnswer) {
    StartLate("KA", 5, 5500, {});
    config.WriteFile("in.cam", "GA=403\r\nGA=99999\r\nBL=7\r\n");
    const auto r = Run({"load", config / "in.cam"}, 1);
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: line 1 not answered: GA=403\n")) << r.err;
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: line 2 refused: GA=99999\n")) << r.err;
    EXPECT_TRUE(Contains(r.err, "Rx: COMPLETE  (stale: skipped)")) << r.err;
    EXPECT_FALSE(Contains(r.err, "line 3")) << r.err;
    EXPECT_EQ(camera->Value("GA"), 403) << "the late set was carried out";
    EXPECT_EQ(camera->Value("BL"), 7);
}

// Line 706 is green entry 94's data; index 95 is refused. Entry 94 keeps its own value, never 95's.
TEST_F(LateAnswerCtlTest, LutWriteNeverPutsAnEntryIntoTheOneBefore) {
    StartLate("KB", 706, 1500, {"LUTIG=95"});
    std::string text = "GammaData (R G B)\r\n";
    for (int i = 0; i < 256; ++i) text += std::to_string(i) + "," + std::to_string(1000 + i) + ",7\r\n";
    config.WriteFile("in.csv", text);
    const auto r = Run({"lut", "write", config / "in.csv"}, 1);
    EXPECT_TRUE(Contains(r.err, "Tx: LUTG=1094")) << r.err;
    camera->Inspect([](const vr::sim::VirtualCamera& c) {
        EXPECT_EQ(c.LutEntry(1, 94), 1094);
        EXPECT_EQ(c.LutEntry(1, 95), 16 * 95) << "its index refused, the entry keeps the factory value";
        EXPECT_EQ(c.LutEntry(1, 96), 1096);
        EXPECT_EQ(c.LutEntry(2, 255), 7);
    });
}

// "SA" = 2 (line 6) answers after Store All's 10 s time-out; the refusal of "SA" = 3 is pinned on it,
// not on the "SA00" after it.
TEST_F(LateAnswerCtlTest, StoreAllPinsTheRefusalOnTheAreaRefused) {
    StartLate("KA", 6, 10500, {"SA=3"});
    const auto r = Run({"--factory", "--yes", "store-all"}, 1);
    EXPECT_TRUE(Contains(r.err, "Communication Error: ERROR: Refused SA=3")) << r.err;
    EXPECT_FALSE(Contains(r.err, "Refused SA00=0")) << r.err;
    EXPECT_TRUE(Contains(r.err, "Couldn't store current setting data!")) << r.err;
}
