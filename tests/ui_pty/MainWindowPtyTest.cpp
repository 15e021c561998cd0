// The main window's start-up and control events against the virtual camera on a pseudo-terminal,
// through the real serial link: termios, the reader thread, the ring and the camera's rate.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingMainWindow.h"
#include "TempDir.h"
#include "TestServices.h"
#include "link/CommSetting.h"
#include "protocol/Command.h"
#include "sim/PtyServer.h"
#include "ui/ControlModel.h"

using namespace vr;
using Strings = std::vector<std::string>;

namespace {

class MainWindowPtyTest : public ::testing::Test {
protected:
    void TearDown() override { Shutdown(); }

    // A camera on a fresh pty and a main window whose stored port is that pty.
    void StartCamera(const std::string& model, sim::SimOptions options = {}) {
        Shutdown();
        options.model = model;
        server_ = std::make_unique<sim::PtyServer>();
        std::string error;
        ASSERT_TRUE(server_->Start(options, &error)) << error;
        services_ = std::make_unique<test::TestServices>(test::LineKind::Real);
        services_->link.SetMode(link::ComPort);
        // A camera with a link is known by it, as an adapter by its /dev/serial/by-id name.
        const int index =
            services_->link.AddDevicePath(options.linkPath.empty() ? server_->DevicePath() : options.linkPath);
        ASSERT_GE(index, 0);
        ASSERT_EQ(services_->link.OpenPort(static_cast<uint32_t>(index)), 1);
        controls_ = std::make_unique<ui::ControlModel>();
        dlg_ = std::make_unique<test::RecordingMainWindow>(services_->Get(), *controls_);
    }
    void Shutdown() {
        dlg_.reset();
        controls_.reset();
        services_.reset();
        server_.reset();
    }

    void Select(uint32_t id, int index) {
        controls_->SetCurSel(id, index);
        dlg_->OnControlEvent(id, {ui::ControlEventType::SelChange});
    }
    void Type(uint32_t id, const std::string& text) {
        controls_->SetText(id, text);
        dlg_->OnControlEvent(id, {ui::ControlEventType::EditKillFocus});
    }
    int32_t Value(uint32_t id) { return services_->table.GetDataValue(id); }
    int32_t CameraValue(const char* name) { return server_->Value(name).value_or(-999999); }
    size_t Answered() const {
        size_t n = 0;
        for (const auto& r : dlg_->LastRead()) n += r.answered ? 1 : 0;
        return n;
    }

    std::unique_ptr<sim::PtyServer> server_;
    std::unique_ptr<test::TestServices> services_;
    std::unique_ptr<ui::ControlModel> controls_;
    std::unique_ptr<test::RecordingMainWindow> dlg_;
};

// The virtual camera can refuse "CBDRT" only as a whole: the first request is refused, so neither
// side moves and the read runs at the old rate. (A camera that takes the first and does not confirm
// the second is covered by the headless start-up tests.)
TEST_F(MainWindowPtyTest, RefusedRaiseLeavesTheLineAtItsOldRate) {
    sim::SimOptions options;
    options.refuse = {"CBDRT"};
    StartCamera("KB", options);
    dlg_->OnInitDialog();
    EXPECT_EQ(services_->link.GetBaudIndex(), 0);
    EXPECT_EQ(server_->CameraRate(), 9600u);
    EXPECT_EQ(Answered(), 144u);
    ASSERT_EQ(services_->platform.boxes.size(), 1u);
    EXPECT_EQ(services_->platform.boxes[0].caption, "Communication Error");
}

TEST_F(MainWindowPtyTest, NoCameraLeavesTheToolOfflineWithDefaults) {
    sim::SimOptions options;
    options.silent = true;
    StartCamera("KB", options);
    dlg_->OnInitDialog();
    EXPECT_TRUE(dlg_->LastRead().empty());
    EXPECT_EQ(services_->model.kind, settings::kModelUnknown);
    EXPECT_EQ(controls_->GetPicture(ui::kMainStatusStrip), protocol::kStripOffline);
    EXPECT_EQ(controls_->GetText(1225), "4096");
    EXPECT_EQ(controls_->GetText(1096), "Off");
    EXPECT_EQ(services_->link.GetBaudIndex(), 0);
    EXPECT_TRUE(services_->platform.boxes.empty());
}

TEST_F(MainWindowPtyTest, UnsupportedModelIsReportedAndNothingIsRead) {
    StartCamera("KA");
    ASSERT_EQ(services_->engine.SendCommandString(protocol::cmd::MD00, "VR-8200-ZZ", protocol::milliseconds(10000)), 1);
    dlg_->OnInitDialog();
    ASSERT_FALSE(services_->platform.boxes.empty());
    EXPECT_EQ(services_->platform.boxes[0].text, "Unsupported model: \"VR-8200-ZZ\"");
    EXPECT_EQ(services_->platform.boxes[0].icon, app::MsgIcon::Exclamation);
    EXPECT_TRUE(dlg_->LastRead().empty());
    EXPECT_EQ(services_->model.kind, settings::kModelUnknown);
    EXPECT_EQ(controls_->GetCurSel(1142), -1);
    EXPECT_EQ(Value(1041), 100);  // "GA" keeps its default
    EXPECT_TRUE(dlg_->WindowEnabled());
}

TEST_F(MainWindowPtyTest, CameraIsFoundRaisedAndReadByModelAndMode) {
    struct Case {
        const char* model;
        uint32_t mode;
        size_t rows;
        uint32_t lackedControl;  // a row of the other model, which keeps its default
        int32_t lackedDefault;
        uint32_t startRate;
        std::vector<int> rates;  // the rates the line ran at, by index
    };
    const std::vector<int> atOnce = {4, 3, 2, 1, 0, 4};
    for (const Case& c : {Case{"KB", 0, 144, 1294, 0, 9600, atOnce}, Case{"KB", 1, 160, 1268, 8192, 9600, atOnce},
                          Case{"KA", 0, 146, 1628, 0, 9600, atOnce}, Case{"KA", 1, 178, 1255, 8192, 9600, atOnce},
                          // Found by the search, which tries 115200 first.
                          Case{"KA", 0, 146, 1628, 0, 57600, {4, 3, 2, 1, 0, 4, 3, 4}}}) {
        SCOPED_TRACE(std::string(c.model) + " mode " + std::to_string(c.mode) + " from " + std::to_string(c.startRate));
        sim::SimOptions options;
        options.startRate = c.startRate;
        StartCamera(c.model, options);
        dlg_->SetControlMode(c.mode);
        dlg_->OnInitDialog();
        EXPECT_EQ(dlg_->commBaud, c.rates);
        EXPECT_EQ(services_->link.GetBaudIndex(), 4);
        EXPECT_EQ(server_->CameraRate(), 115200u);
        EXPECT_EQ(controls_->GetPicture(ui::kMainStatusStrip), protocol::kStripOnline);
        EXPECT_EQ(Answered(), c.rows);
        EXPECT_EQ(dlg_->LastRead().size(), c.rows);
        EXPECT_EQ(Value(c.lackedControl), c.lackedDefault);
        EXPECT_EQ(dlg_->tabs.size(), c.mode == 1 ? 6u : 5u);
        EXPECT_EQ(dlg_->factoryMenuItems, c.mode == 1);
        EXPECT_EQ(controls_->GetText(1142), std::string("VR-8200-") + c.model);
        EXPECT_TRUE(services_->platform.boxes.empty()) << services_->platform.boxes[0].text;
        // What the camera holds is what the pages show.
        EXPECT_EQ(controls_->GetText(1041), std::to_string(CameraValue("GA")));
    }
}

TEST_F(MainWindowPtyTest, ChangesAreSentUndoneAndShown) {
    StartCamera("KB");
    dlg_->OnInitDialog();
    services_->platform.boxes.clear();

    Type(1041, "400");
    EXPECT_EQ(CameraValue("GA"), 400);

    // Codes, not indices. (The model's own tests cover the read-outs, copies and enabling.)
    Select(1101, 20);  // "EncoderDirection"
    EXPECT_EQ(CameraValue("LS0"), 30);

    // The camera's shortest line period refuses 123; the edit keeps the old one.
    const int32_t period = CameraValue("LR");
    Type(1187, "123");
    EXPECT_EQ(Value(1187), period);
    EXPECT_EQ(controls_->GetText(1187), std::to_string(period));
    ASSERT_EQ(services_->platform.boxes.size(), 1u);
    Type(1187, "100000");
    EXPECT_EQ(CameraValue("LR"), 100000);

    // No answer at all: undone after the time-out, and the strip turns red.
    server_->Stop();
    Type(1041, "500");
    EXPECT_EQ(Value(1041), 400);
    EXPECT_EQ(controls_->GetText(1041), "400");
    EXPECT_EQ(controls_->GetPicture(ui::kMainStatusStrip), protocol::kStripOffline);
}

}  // namespace

// An adapter unplugged mid-read and plugged in again: the read stops at once with the line lost,
// and Reconnect opens the remembered device afresh, runs the start-up and refills the pages.
TEST_F(MainWindowPtyTest, ALostLineEndsTheReadAtOnceAndReconnectBringsTheCameraBack) {
    test::TempDir dir;
    sim::SimOptions options;
    options.linkPath = dir / "camera";
    options.hangupAfter = 40;
    StartCamera("KA", options);
    dlg_->OnInitDialog();
    EXPECT_TRUE(dlg_->LastReadEnded());
    EXPECT_LT(Answered(), 146u);
    ASSERT_FALSE(services_->platform.boxes.empty());
    EXPECT_NE(services_->platform.boxes.back().text.find("The line to the camera went away"), std::string::npos)
        << services_->platform.boxes.back().text;
    EXPECT_FALSE(services_->status.IsOnline());

    // Plugged in again: a new pseudo-terminal behind the same name.
    server_->Stop();
    options.model = "KA";
    options.hangupAfter = 0;
    server_ = std::make_unique<sim::PtyServer>();
    std::string error;
    ASSERT_TRUE(server_->Start(options, &error)) << error;
    services_->platform.boxes.clear();
    EXPECT_EQ(dlg_->Reconnect(), 1);
    EXPECT_TRUE(services_->platform.boxes.empty());
    EXPECT_EQ(Answered(), 146u);
    EXPECT_FALSE(dlg_->LastReadEnded());
    EXPECT_TRUE(services_->status.IsOnline());
    EXPECT_EQ(server_->CameraRate(), 115200u);
}
