// The tool's three Camera Link modes end to end: the real link classes load the test Camera Link
// library built with the camera peer, and the command engine talks to the camera through it.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TestServices.h"
#include "protocol/CommandTable.h"

#ifdef VR_CLLIB_CAMERA_DIR

using namespace vr;
using test::ScopedEnv;
namespace cmd = protocol::cmd;

namespace {

const std::string kCameraLibs = VR_CLLIB_CAMERA_DIR;
constexpr protocol::milliseconds kWait(2000);

class CameraLinkTest : public ::testing::TestWithParam<uint32_t> {
protected:
    void SetUp() override {
        ASSERT_EQ(::mkdir((s_.dir / "clser").c_str(), 0700), 0);
        ASSERT_EQ(::symlink((kCameraLibs + "/libclsercamera.so").c_str(), (s_.dir / "clser/libclsercamera.so").c_str()),
                  0);
    }

    test::TestServices s_;
    ScopedEnv folder_{"VR8200_CLSER_DIR", s_.dir / "clser"};
    ScopedEnv lib2001_{"VR8200_CLSERIAL_LIB", kCameraLibs + "/libclserial.so"};
    ScopedEnv libVer11_{"VR8200_CLALLSERIAL_LIB", kCameraLibs + "/libclallserial.so"};
    ScopedEnv peer_{"VR8200_CLLIB_PEER", "camera"};
};

}  // namespace

TEST_P(CameraLinkTest, TheToolTalksToTheCameraAndRaisesTheLineWhereTheLibraryCan) {
    const uint32_t mode = GetParam();
    s_.link.SetMode(mode);
    ASSERT_GE(s_.link.GetPortCount(), 1);
    ASSERT_EQ(s_.link.Open(mode, 9600, 0), 1) << s_.link.LastLinkError();
    std::string model;
    ASSERT_EQ(s_.engine.QueryString(cmd::MD, model, kWait), 1);
    EXPECT_EQ(model, "VR-8200-KA");
    EXPECT_EQ(s_.engine.SendCommandInt(cmd::GA, 640, kWait), 1);
    int32_t gain = 0;
    EXPECT_EQ(s_.engine.QueryInt(cmd::GA, gain, kWait), 1);
    EXPECT_EQ(gain, 640);
    EXPECT_EQ(s_.engine.SendCommandInt(cmd::GA, 9999, kWait), 0);
    ASSERT_EQ(s_.platform.Texts(), std::vector<std::string>{"ERROR: Out of range\nGA=9999"});

    if (mode == link::CameraLink2000) {
        EXPECT_FALSE(s_.link.LinkSupportsRate(115200)) << "this generation stays at 9600";
    } else {
        // The camera answers at the old rate, then listens at the new one, keeping its settings.
        EXPECT_EQ(s_.engine.SendCommandInt(cmd::CBDRT, 16, kWait), 1);
        EXPECT_EQ(s_.engine.QueryInt(cmd::GA, gain, protocol::milliseconds(300)), 0)
            << "nothing is heard at the old rate";
        ASSERT_EQ(s_.link.OpenBaud(115200), 1);
        EXPECT_EQ(s_.engine.SendCommandInt(cmd::CBDRT, 16, kWait), 1);
        EXPECT_EQ(s_.engine.QueryInt(cmd::GA, gain, kWait), 1);
        EXPECT_EQ(gain, 640);
        // Put the camera back for the next test in this process: the camera outlives the port.
        EXPECT_EQ(s_.engine.SendCommandInt(cmd::CBDRT, 1, kWait), 1);
        ASSERT_EQ(s_.link.OpenBaud(9600), 1);
    }
    EXPECT_EQ(s_.engine.SendCommandInt(cmd::GA, 100, kWait), 1) << s_.link.LastLinkError();
    s_.link.Close();
}

INSTANTIATE_TEST_SUITE_P(Modes, CameraLinkTest,
                         ::testing::Values(link::CameraLink2000, link::CameraLink2001, link::CameraLinkVer11));

#endif  // VR_CLLIB_CAMERA_DIR
