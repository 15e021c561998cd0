// The result tables, the XML version's digits and the one-push progress text, without a camera.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "ManualClock.h"
#include "TestServices.h"
#include "calibration/OnePushWait.h"
#include "calibration/ResultTables.h"
#include "calibration/XmlVersion.h"

using namespace vr;
using calibration::ResultTable;
using calibration::ResultText;

TEST(ResultTables, EveryCodeOutsideATableIsUnknown) {
    const struct {
        ResultTable table;
        int32_t first, last;  // the listed codes run from first to last
    } tables[] = {
        {ResultTable::WhiteBalance, 1, 5},
        {ResultTable::GainAuto, 1, 4},
        {ResultTable::Recalibration, 0, 4},
        {ResultTable::Shading, 0, 4},
    };
    for (const auto& t : tables) {
        EXPECT_EQ(calibration::ResultRows(t.table).size(), static_cast<size_t>(t.last - t.first + 1));
        for (int32_t code = t.first; code <= t.last; ++code) EXPECT_NE(ResultText(t.table, code), "Unknown Result");
        for (int32_t code : {t.first - 1, t.last + 1, INT32_MIN, INT32_MAX})
            EXPECT_EQ(ResultText(t.table, code), "Unknown Result") << code;
    }
    // The codes the functions test for, against their texts.
    EXPECT_EQ(ResultText(ResultTable::WhiteBalance, calibration::kWhiteBalanceTimedOut),
              "Error3 - Timeout-error occurred");
    EXPECT_EQ(ResultText(ResultTable::Shading, calibration::kShadingComplete), "Complete");
    EXPECT_EQ(ResultText(ResultTable::Recalibration, calibration::kRecalibrationBusy), "Busy");
}

TEST(XmlVersionDigits, BoxesMakeANumberFromTheirFirstCharacters) {
    using Boxes = std::array<std::string, 3>;
    const struct {
        Boxes boxes;
        int32_t version;
    } cases[] = {
        {{"1", "2", "3"}, 123},   {{"1", "", "3"}, 13},  {{"a", "2", "3"}, 0}, {{"", "", ""}, 0},
        {{"4", "x", "2"}, 4},     {{" ", "4", "2"}, 42}, {{"-", "1", ""}, -1}, {{"+", "7", "9"}, 79},
        {{"12", "34", "5"}, 135}, {{"0", "0", "7"}, 7},  {{"\t", "", "9"}, 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(calibration::XmlVersion::VersionFromBoxes(c.boxes), c.version)
            << c.boxes[0] << "|" << c.boxes[1] << "|" << c.boxes[2];
    EXPECT_EQ(calibration::XmlVersion::BoxesFromVersion(123), (Boxes{"1", "2", "3"}));
    EXPECT_EQ(calibration::XmlVersion::BoxesFromVersion(7), (Boxes{"0", "0", "7"}));
    EXPECT_EQ(calibration::XmlVersion::BoxesFromVersion(1234), (Boxes{"12", "3", "4"}));
}

TEST(OnePushProgress, NamesTheFunctionWithItsTimeAndCountsTheSteps) {
    test::TestServices services;
    test::ManualClock clock;
    auto& progress = services.platform.progress;
    {
        calibration::OnePushWait wait(services.Get(), clock, "Shading calibration", "", std::chrono::seconds(420));
        EXPECT_TRUE(services.dialogs.Disabled());
        EXPECT_FALSE(services.platform.cancelOffered) << "not while the start command is on its way";
        clock.now += std::chrono::milliseconds(37900);
        wait.Tick();
        wait.Tick();  // nothing new to show
    }
    EXPECT_EQ(progress,
              (std::vector<std::string>{"open:Shading calibration: 0 s of at most 420 s",
                                        "text:Shading calibration: 37 s of at most 420 s", "pos:9", "finish"}));
    EXPECT_FALSE(services.dialogs.Disabled());

    progress.clear();
    {
        calibration::OnePushWait wait(services.Get(), clock, "Auto Setting", "white balance", std::chrono::seconds(40),
                                      4);
        wait.Begin("shading calibration", std::chrono::seconds(420), 2);
        clock.now += std::chrono::seconds(210);
        wait.Tick();
        EXPECT_EQ(wait.Elapsed(), std::chrono::seconds(210));
    }
    EXPECT_EQ(progress,
              (std::vector<std::string>{
                  "open:Auto Setting, white balance: 0 s of at most 40 s  (1 / 4)",
                  "text:Auto Setting, shading calibration: 0 s of at most 420 s  (2 / 4)", "pos:25",
                  "text:Auto Setting, shading calibration: 210 s of at most 420 s  (2 / 4)", "pos:37", "finish"}));
}

TEST(OnePushProgress, PausesOfferCancelAndStopForGood) {
    test::TestServices services;
    test::ManualClock clock;
    calibration::OnePushWait wait(services.Get(), clock, "Pixel gain recalibration", "", std::chrono::seconds(420));
    std::vector<bool> offered;
    clock.onSleep = [&] { offered.push_back(services.platform.cancelOffered); };
    EXPECT_TRUE(wait.Pause(std::chrono::milliseconds(1000)));
    EXPECT_EQ(clock.Elapsed(), std::chrono::milliseconds(1000));
    EXPECT_EQ(offered, std::vector<bool>(25, true)) << "slept in slices of the paint interval, Cancel on offer";
    EXPECT_FALSE(services.platform.cancelOffered);

    clock.realSleep = std::chrono::milliseconds(45);
    services.platform.stopAfterPolls = services.platform.polls;
    EXPECT_FALSE(wait.Pause(std::chrono::milliseconds(1000)));
    EXPECT_LT(clock.Elapsed(), std::chrono::milliseconds(2000)) << "the pause ends when the operator stops";
    EXPECT_TRUE(wait.Stopped());
    EXPECT_EQ(wait.StoppedText(), "Stopped after 1 s, before the camera reported a result.");
    const int sleeps = clock.sleeps;
    EXPECT_FALSE(wait.Pause(std::chrono::milliseconds(1000)));
    EXPECT_EQ(clock.sleeps, sleeps) << "once stopped, a pause does not wait";
}
