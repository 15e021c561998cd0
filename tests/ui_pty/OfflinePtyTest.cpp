// When the camera is gone: a port that is not there is told once and never replaced, a change made
// while the camera is offline is answered at once with the Reconnect offer, and the banner says where
// the values shown came from. Over a pseudo-terminal through the real serial link.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingMainWindow.h"
#include "TempDir.h"
#include "TestServices.h"
#include "link/CommSetting.h"
#include "protocol/OnlineStatus.h"
#include "protocol/ParameterTable.h"
#include "sim/PtyServer.h"
#include "ui/ControlModel.h"

using namespace vr;

namespace {

// The main window with a view that also keeps the status texts and the banner.
class StatusView : public test::RecordingView {
public:
    void ShowStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void ShowOfflineBanner(const std::string& text) override { banner = text; }
    void ShowCurrentArea(uint32_t area) override { areas.push_back(area); }
    std::vector<std::string> statusTexts;
    std::vector<uint32_t> areas;
    std::string banner;
};

class StatusWindow : public StatusView, public ui::CCtrlToolDlg {
public:
    StatusWindow(app::Services& services, ui::IControlAccess& controls)
        : ui::CCtrlToolDlg(services, controls, static_cast<StatusView&>(*this)) {}
};

class OfflinePtyTest : public ::testing::Test {
protected:
    void TearDown() override {
        dlg_.reset();
        services_.reset();
        if (server_) server_->Stop();
    }

    // A camera whose pty is known by a stable link name, as an adapter by its /dev/serial/by-id name.
    void StartCamera(const char* model) {
        options_.model = model;
        options_.linkPath = dir_ / "camera";
        server_ = std::make_unique<sim::PtyServer>();
        std::string error;
        ASSERT_TRUE(server_->Start(options_, &error)) << error;
    }
    // The tool with `device` as its stored port, opened once the way the communication dialog does.
    void StartTool(const std::string& device) {
        dlg_.reset();
        services_ = std::make_unique<test::TestServices>(test::LineKind::Real);
        services_->link.SetMode(link::ComPort);
        const int index = services_->link.AddDevicePath(device);
        ASSERT_GE(index, 0);
        services_->link.OpenPort(static_cast<uint32_t>(index));
        services_->platform.boxes.clear();
        dlg_ = std::make_unique<StatusWindow>(services_->Get(), controls_);
    }
    void Type(uint32_t id, const std::string& text) {
        controls_.SetText(id, text);
        dlg_->OnControlEvent(id, {ui::ControlEventType::EditKillFocus});
    }

    test::TempDir dir_;
    sim::SimOptions options_;
    std::unique_ptr<sim::PtyServer> server_;
    std::unique_ptr<test::TestServices> services_;
    ui::ControlModel controls_;
    std::unique_ptr<StatusWindow> dlg_;
};

TEST_F(OfflinePtyTest, APortThatIsNotThereIsToldOnceAndKept) {
    // A typed device that does not exist: one box naming the failed step and the reason, and no rate
    // tried on it.
    const std::string typed = dir_ / "ttyUSB7";
    StartTool(typed);
    dlg_->OnInitDialog();
    ASSERT_EQ(services_->platform.Texts().size(), 1u);
    const std::string text = services_->platform.boxes[0].text;
    EXPECT_EQ(text, "Failed to initialize " + typed + " port!\nError in open(): No such file or directory");
    EXPECT_TRUE(dlg_->commBaud.empty());
    EXPECT_FALSE(services_->status.IsOnline());

    // The camera's adapter unplugged: a reconnect says so once and keeps the device; plugged in
    // again under the same name, the next reconnect finds the camera there.
    StartCamera("KB");
    StartTool(options_.linkPath);
    dlg_->OnInitDialog();
    ASSERT_TRUE(services_->status.IsOnline());
    server_->Stop();
    services_->platform.boxes.clear();
    dlg_->commBaud.clear();
    EXPECT_EQ(dlg_->Reconnect(), 0);
    ASSERT_EQ(services_->platform.Texts().size(), 1u);
    // Named by the device the operator chose, whether the list still holds it or not.
    EXPECT_EQ(services_->platform.boxes[0].text.rfind("Failed to initialize " + options_.linkPath + " port!\n", 0), 0u)
        << services_->platform.boxes[0].text;
    EXPECT_EQ(services_->platform.boxes[0].text.find("COM"), std::string::npos);
    EXPECT_TRUE(dlg_->commBaud.empty()) << "no rate tried on a port that is not there";

    server_ = std::make_unique<sim::PtyServer>();
    std::string error;
    ASSERT_TRUE(server_->Start(options_, &error)) << error;
    services_->platform.boxes.clear();
    dlg_->areas.clear();
    EXPECT_EQ(dlg_->Reconnect(), 1);
    EXPECT_TRUE(services_->platform.boxes.empty()) << services_->platform.boxes[0].text;
    EXPECT_TRUE(services_->status.IsOnline());
    EXPECT_EQ(dlg_->banner, "");
    EXPECT_EQ(dlg_->areas, std::vector<uint32_t>{0}) << "the start-up's area reaches the communication dialog";
}

TEST_F(OfflinePtyTest, ChangesWhileOfflineAreAnsweredAtOnceWithTheReconnectOffer) {
    StartCamera("KB");
    StartTool(options_.linkPath);
    dlg_->OnInitDialog();
    ASSERT_TRUE(services_->status.IsOnline());
    const int32_t gain = server_->Value("GA").value_or(-1);
    // The camera is still there, so anything that reached the line would change it.
    services_->status.SetOffline();
    EXPECT_NE(dlg_->banner.find("Offline: the values shown were read from VR-8200-KB at "), std::string::npos)
        << dlg_->banner;

    struct Case {
        ui::ControlEventType type;
        uint32_t id;
        const char* text;
        const char* change;
    };
    for (const Case& c : {Case{ui::ControlEventType::EditKillFocus, 1041, "400", "GA=400"},
                          Case{ui::ControlEventType::SpinDelta, 1045, nullptr, "GA="},
                          Case{ui::ControlEventType::SelChange, 1101, nullptr, "LS0="}}) {
        services_->platform.boxes.clear();
        if (c.type == ui::ControlEventType::EditKillFocus) controls_.SetText(c.id, c.text);
        if (c.type == ui::ControlEventType::SelChange) controls_.SetCurSel(c.id, 20);
        dlg_->OnControlEvent(c.id, {c.type, 1});
        ASSERT_EQ(services_->platform.boxes.size(), 1u) << c.id;
        const auto& box = services_->platform.boxes[0];
        EXPECT_EQ(box.buttons, app::MsgButtons::YesNo);
        EXPECT_EQ(box.text.rfind("The camera is offline: ", 0), 0u) << box.text;
        EXPECT_NE(box.text.find(c.change), std::string::npos) << box.text;
        EXPECT_NE(box.text.find("Reconnect"), std::string::npos) << box.text;
    }
    EXPECT_EQ(server_->Value("GA").value_or(-1), gain) << "nothing was sent";
    EXPECT_EQ(controls_.GetText(1041), std::to_string(gain)) << "the edit shows the value the tool holds";
    EXPECT_EQ(services_->table.GetDataValue(1041), gain);

    // Leaving an edit that still shows its value is no change and asks nothing.
    services_->platform.boxes.clear();
    Type(1041, std::to_string(gain));
    EXPECT_TRUE(services_->platform.boxes.empty());

    // Yes: the start-up runs again, and the change can go now.
    services_->platform.answers = {app::MsgResult::Yes};
    Type(1041, "400");
    EXPECT_TRUE(services_->status.IsOnline());
    EXPECT_EQ(dlg_->banner, "");
    Type(1041, "400");
    EXPECT_EQ(server_->Value("GA").value_or(-1), 400);
}

TEST_F(OfflinePtyTest, ALineThatGoesAwayPutsTheValueBackAndSaysSo) {
    StartCamera("KB");
    StartTool(options_.linkPath);
    dlg_->OnInitDialog();
    const int32_t gain = server_->Value("GA").value_or(-1);
    server_->Stop();
    dlg_->statusTexts.clear();
    Type(1041, "400");
    EXPECT_EQ(controls_.GetText(1041), std::to_string(gain));
    ASSERT_FALSE(dlg_->statusTexts.empty());
    EXPECT_EQ(dlg_->statusTexts.back(), "The line to the camera went away during GA=400; the value was put back.");
    EXPECT_NE(dlg_->banner.find("Offline: the values shown were read from VR-8200-KB"), std::string::npos);
}

}  // namespace
