// The tool's three Camera Link modes end to end against the virtual camera: the real link classes
// load the test Camera Link library built with the camera peer, and the command engine talks to
// the camera through it.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FakePlatform.h"
#include "TempDir.h"
#include "app/Registry.h"
#include "link/CommSetting.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/OnlineStatus.h"
#include "protocol/TrafficLog.h"

#ifdef VR_CLLIB_CAMERA_DIR

using namespace vr;
using test::ScopedEnv;
namespace cmd = protocol::cmd;

namespace {

const std::string kCameraLibs = VR_CLLIB_CAMERA_DIR;

class CameraLinkTest : public ::testing::TestWithParam<uint32_t> {
protected:
    void SetUp() override {
        ASSERT_EQ(::mkdir((dir_ / "clser").c_str(), 0700), 0);
        ASSERT_EQ(::symlink((kCameraLibs + "/libclsercamera.so").c_str(), (dir_ / "clser/libclsercamera.so").c_str()),
                  0);
        engine_.SetLink(&comm_);
    }
    void TearDown() override { engine_.SetLink(nullptr); }

    test::TempDir dir_;
    test::FakePlatform platform_;
    ScopedEnv folder_{"VR8200_CLSER_DIR", dir_ / "clser"};
    ScopedEnv lib2001_{"VR8200_CLSERIAL_LIB", kCameraLibs + "/libclserial.so"};
    ScopedEnv libVer11_{"VR8200_CLALLSERIAL_LIB", kCameraLibs + "/libclallserial.so"};
    ScopedEnv peer_{"VR8200_CLLIB_PEER", "camera"};
    app::CRegistry registry_{dir_ / "config"};
    protocol::TrafficLog traffic_;
    protocol::OnlineStatusBroadcaster status_;
    link::CCommSetting comm_{registry_, platform_, traffic_};
    protocol::Command engine_{platform_, status_, traffic_};
};

}  // namespace

TEST_P(CameraLinkTest, TheToolTalksToTheCameraAndRaisesTheLineWhereTheLibraryCan) {
    const uint32_t mode = GetParam();
    comm_.SetMode(mode);
    ASSERT_GE(comm_.GetPortCount(), 1);
    ASSERT_EQ(comm_.Open(mode, 9600, 0), 1) << comm_.LastLinkError();
    std::string model;
    ASSERT_EQ(engine_.QueryString(cmd::MD, model, protocol::milliseconds(2000)), 1);
    EXPECT_EQ(model, "VR-8200-KA");
    EXPECT_EQ(engine_.SendCommandInt(cmd::GA, 640, protocol::milliseconds(2000)), 1);
    int32_t gain = 0;
    EXPECT_EQ(engine_.QueryInt(cmd::GA, gain, protocol::milliseconds(2000)), 1);
    EXPECT_EQ(gain, 640);
    EXPECT_EQ(engine_.SendCommandInt(cmd::GA, 9999, protocol::milliseconds(2000)), 0);
    ASSERT_EQ(platform_.Texts(), std::vector<std::string>{"ERROR: Out of range\nGA=9999"});

    if (mode == link::CameraLink2000) {
        EXPECT_FALSE(comm_.LinkSupportsRate(115200)) << "this generation stays at 9600";
    } else {
        // The camera answers at the old rate and then listens at the new one; the port is closed and
        // opened again for the new rate, and the camera behind it keeps its settings.
        EXPECT_EQ(engine_.SendCommandInt(cmd::CBDRT, 16, protocol::milliseconds(2000)), 1);
        EXPECT_EQ(engine_.QueryInt(cmd::GA, gain, protocol::milliseconds(300)), 0)
            << "nothing is heard at the old rate";
        ASSERT_EQ(comm_.OpenBaud(115200), 1);
        EXPECT_EQ(engine_.SendCommandInt(cmd::CBDRT, 16, protocol::milliseconds(2000)), 1);
        EXPECT_EQ(engine_.QueryInt(cmd::GA, gain, protocol::milliseconds(2000)), 1);
        EXPECT_EQ(gain, 640);
        // Put the camera back for the next test in this process: the camera outlives the port.
        EXPECT_EQ(engine_.SendCommandInt(cmd::CBDRT, 1, protocol::milliseconds(2000)), 1);
        ASSERT_EQ(comm_.OpenBaud(9600), 1);
    }
    EXPECT_EQ(engine_.SendCommandInt(cmd::GA, 100, protocol::milliseconds(2000)), 1) << comm_.LastLinkError();
    comm_.Close();
}

INSTANTIATE_TEST_SUITE_P(Modes, CameraLinkTest,
                         ::testing::Values(link::CameraLink2000, link::CameraLink2001, link::CameraLinkVer11));

#endif  // VR_CLLIB_CAMERA_DIR
