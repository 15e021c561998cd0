// What the status bar says, following the start-up, the control mode and a camera that goes away,
// against the virtual camera on a pseudo-terminal.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "RecordingMainWindow.h"
#include "TestServices.h"
#include "link/CommSetting.h"
#include "sim/PtyServer.h"
#include "ui/ControlModel.h"
#include "ui/status/StatusTexts.h"

using namespace vr;

namespace {

TEST(StatusTextsPtyTest, FollowTheStartUpTheModeAndTheLine) {
    sim::PtyServer server;
    sim::SimOptions options;
    options.model = "KB";
    std::string error;
    ASSERT_TRUE(server.Start(options, &error)) << error;
    test::TestServices services(test::LineKind::Real);
    services.link.SetMode(link::ComPort);
    const int index = services.link.AddDevicePath(server.DevicePath());
    ASSERT_GE(index, 0);
    services.link.SetPortIndex(static_cast<uint32_t>(index));
    ui::ControlModel controls;
    test::RecordingMainWindow dlg(services.Get(), controls);

    EXPECT_EQ(ui::DescribeStatus(dlg), (ui::StatusTexts{server.DevicePath(), "closed", "no camera", "area unknown",
                                                        "User mode", "Offline", false}));

    // The Qt test reads the fields once the tool is up, and follows the mode both ways.
    dlg.OnInitDialog();
    EXPECT_TRUE(ui::DescribeStatus(dlg).online);

    // The camera's area as the "EA" of the communication dialog names it.
    const char* names[] = {"Factory Data", "User 1 Data", "User 2 Data", "User 3 Data"};
    for (uint32_t area = 0; area < 4; ++area) {
        dlg.SetCurrentArea(area);
        EXPECT_EQ(ui::DescribeStatus(dlg).area, names[area]);
    }

    server.Stop();
    dlg.QueryCurrentArea();  // no answer: the engine reports the line offline
    const ui::StatusTexts down = ui::DescribeStatus(dlg);
    EXPECT_EQ(down.line, "Offline");
    EXPECT_FALSE(down.online);
    EXPECT_EQ(down.model, "VR-8200-KB");  // the last camera that answered
}

}  // namespace
