// The runner on cameras behind a Camera Link frame grabber: the test library's ver. 1.1 dispatcher
// with three ports, a virtual camera on each, one session and thread per port in this process.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "TestServices.h"
#include "app/SessionOnLink.h"
#include "fleet/FleetRunner.h"
#include "fleet/Inventory.h"
#include "sim/PtyServer.h"

#ifdef VR_CLLIB_CAMERA_DIR

namespace vr {
namespace {

using test::ScopedEnv;

class FleetCameraLink : public ::testing::Test {
protected:
    // The library is loaded here before the cameras' threads load it too: its start-up then runs on
    // this thread, which ThreadSanitizer sees (it does not see the loader's own lock).
    void SetUp() override { ASSERT_NE(loaded_, nullptr) << dlerror(); }
    void TearDown() override {
        if (loaded_ != nullptr) dlclose(loaded_);
    }

    // Every camera of the list on a session over a store that keeps nothing.
    std::vector<fleet::CameraReport> Run(fleet::Operation operation, const std::string& file = {}) {
        fleet::FleetRunner runner([](const fleet::CameraEntry& entry, platform::IPlatform& platform) {
            auto opened = std::make_shared<app::SessionOnLink>(platform);
            std::string why;
            if (!opened->Choose(entry.mode, entry.port, entry.portIndex, why))
                return fleet::OpenedCamera{nullptr, nullptr, why};
            return fleet::OpenedCamera{opened, &opened->Session(), ""};
        });
        fleet::FleetRequest request;
        request.operation = operation;
        request.file = file;
        return runner.Run(inventory_.cameras, request);
    }

    test::TempDir dir_;
    ScopedEnv lib_{"VR8200_CLALLSERIAL_LIB", std::string(VR_CLLIB_CAMERA_DIR) + "/libclallserial.so"};
    ScopedEnv peer_{"VR8200_CLLIB_PEER", "camera"};
    ScopedEnv ports_{"VR8200_CLLIB_PORTS", "3"};
    void* loaded_ = dlopen((std::string(VR_CLLIB_CAMERA_DIR) + "/libclallserial.so").c_str(), RTLD_NOW);
    fleet::Inventory inventory_ = fleet::ParseInventory(
        "[[camera]]\nname = \"a\"\nlink = \"cl11\"\nport_index = 0\n"
        "[[camera]]\nname = \"b\"\nlink = \"cl11\"\nport_index = 1\n"
        "[[camera]]\nname = \"c\"\nlink = \"cl11\"\nport_index = 2\n"
        "[[camera]]\nname = \"none\"\nlink = \"cl11\"\nport_index = 3\n",
        "");
};

TEST_F(FleetCameraLink, EachPortIsItsOwnCameraAndAMissingPortIsThatRowsAlone) {
    ASSERT_TRUE(inventory_.Usable());
    dir_.WriteFile("recipe.cam", "GA=345\r\nBL=9\r\n");
    auto reports = Run(fleet::Operation::Apply, dir_ / "recipe.cam");
    ASSERT_EQ(reports.size(), 4u);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(reports[i].name);
        EXPECT_EQ(reports[i].status, 0) << reports[i].result;
        EXPECT_EQ(reports[i].model, "VR-8200-KA");
        EXPECT_EQ(reports[i].link, "cl11 port " + std::to_string(i));
    }
    EXPECT_EQ(reports[3].status, fleet::kNoCamera);

    // Another gain for the first camera alone; each camera keeps what it was sent.
    const auto all = inventory_.cameras;
    inventory_.cameras.resize(1);
    dir_.WriteFile("first.cam", "GA=111\r\n");
    ASSERT_EQ(Run(fleet::Operation::Apply, dir_ / "first.cam").front().status, 0);
    inventory_.cameras = all;
    reports = Run(fleet::Operation::Dump);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(reports[i].name);
        const auto& values = reports[i].values;
        const std::pair<std::string, std::string> gain{"GA", i == 0 ? "111" : "345"};
        EXPECT_NE(std::find(values.begin(), values.end(), gain), values.end());
        EXPECT_GT(values.size(), 100u);
    }
    EXPECT_EQ(fleet::WorstStatus(reports), fleet::kNoCamera);
}

}  // namespace
}  // namespace vr

#endif  // VR_CLLIB_CAMERA_DIR
