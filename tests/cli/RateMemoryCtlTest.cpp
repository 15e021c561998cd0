// vr8200ctl remembers the rate it left the camera at, per port, and probes there first next time;
// a rate that no longer holds costs one probe and the full search follows.

#include <gtest/gtest.h>

#include <regex>

#include "RunTool.h"
#include "TempDir.h"

using vr::test::Lines;
using vr::test::RunTool;

namespace {

const auto Has = vr::test::Contains;

std::string Store(const vr::test::TempDir& config) {
    return config.ReadFile("settings.ini");
}

// The store with the rate of its "Camera Rate" line replaced.
void SetStoredRate(const vr::test::TempDir& config, const std::string& rate) {
    config.WriteFile("settings.ini",
                     std::regex_replace(Store(config), std::regex("Camera Rate=[0-9]+"), "Camera Rate=" + rate));
}

class RateMemoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        vr::sim::SimOptions options;
        options.model = "KA";
        std::string error;
        ASSERT_TRUE(camera.Start(options, &error)) << error;
    }
    vr::test::TempDir config;
    vr::sim::PtyServer camera;
};

}  // namespace

TEST_F(RateMemoryTest, ASecondRunFindsTheCameraAtTheRememberedRate) {
    auto r = RunTool({"--port", camera.DevicePath(), "--trace", "connect"}, config.Path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(Has(r.err, "probing there first")) << "nothing was remembered yet";
    EXPECT_TRUE(Has(r.err, "Note: the camera is left at 115200 bit/s")) << r.err;
    EXPECT_TRUE(Has(Store(config), "Camera Rate=115200"));
    EXPECT_TRUE(Has(Store(config), "Camera Rate Port=" + camera.DevicePath()));

    const uint64_t dropped = camera.BytesDroppedForRate();
    r = RunTool({"--port", camera.DevicePath(), "--trace", "get", "GA"}, config.Path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(Lines(r.out).size(), 1u);
    EXPECT_EQ(Lines(r.out).front().rfind("GA=", 0), 0u);
    EXPECT_TRUE(Has(r.err, "Note: the last run left the camera at 115200 bit/s: probing there first")) << r.err;
    EXPECT_FALSE(Has(r.err, "full rate search")) << r.err;
    // Nothing went out at a rate the camera was not listening at.
    EXPECT_EQ(camera.BytesDroppedForRate(), dropped);
}

TEST_F(RateMemoryTest, AWrongRememberedRateFallsBackToTheFullSearch) {
    ASSERT_EQ(RunTool({"--port", camera.DevicePath(), "connect"}, config.Path()).exitCode, 0);
    struct Case {
        const char* stored;
        bool probed;
    };
    // 57600 is a rate the camera is not at; 1234 is no rate at all and is not even tried.
    for (const Case& c : {Case{"57600", true}, Case{"1234", false}}) {
        SCOPED_TRACE(c.stored);
        SetStoredRate(config, c.stored);
        const auto r = RunTool({"--port", camera.DevicePath(), "--trace", "connect"}, config.Path());
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(Lines(r.out), (std::vector<std::string>{"model=VR-8200-KA", "rate=115200", "area=0"}));
        EXPECT_EQ(Has(r.err, "no answer at 57600 bit/s: the full rate search follows"), c.probed) << r.err;
        EXPECT_EQ(camera.CameraRate(), 115200u);
        EXPECT_TRUE(Has(Store(config), "Camera Rate=115200")) << "the rate found is remembered again";
    }
}

TEST_F(RateMemoryTest, TheRateIsRememberedPerPortAndNotForAVirtualCameraOfTheRun) {
    ASSERT_EQ(RunTool({"--port", camera.DevicePath(), "connect"}, config.Path()).exitCode, 0);
    // Another port: what was remembered for the first one is not tried there.
    auto other = vr::test::StartCamera();
    auto r = RunTool({"--port", other->DevicePath(), "--trace", "connect"}, config.Path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(Has(r.err, "probing there first")) << r.err;
    // A virtual camera of the run starts at 9600 every time: nothing is tried or stored for it.
    r = RunTool({"--simulate", "KB", "--trace", "connect"}, config.Path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(Has(r.err, "probing there first")) << r.err;
    EXPECT_FALSE(Has(r.err, "the camera is left at")) << r.err;
}
