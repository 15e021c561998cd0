// The main window against the virtual camera on a pseudo-terminal through the real serial link: the start-up
// per model and mode, changes online and offline, a line that goes away, a port that is not there, Reconnect.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "RecordingMainWindow.h"
#include "TestServices.h"
#include "protocol/ControlIds.h"
#include "sim/PtyServer.h"
#include "ui/ControlModel.h"

using namespace vr;
namespace id = vr::protocol::id;

namespace {

// The recording view that also keeps the status texts, the banner and the areas shown.
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
    StatusWindow(camera::Services& services, platform::IControlAccess& controls)
        : ui::CCtrlToolDlg(services, controls, static_cast<StatusView&>(*this)) {}
};

class MainWindowPtyTest : public ::testing::Test {
protected:
    void TearDown() override { Shutdown(); }

    // A camera behind a stable link name (as an adapter's /dev/serial/by-id name), the tool's stored port.
    void StartCamera(const char* model, const std::function<void(sim::SimOptions&)>& set = {}) {
        Shutdown();
        options_ = {};
        options_.model = model;
        options_.linkPath = dir_ / "camera";
        if (set) set(options_);
        PlugIn();
        StartTool(options_.linkPath);
    }
    // The camera's adapter plugged in (again) under its name.
    void PlugIn() {
        server_ = std::make_unique<sim::PtyServer>();
        std::string error;
        ASSERT_TRUE(server_->Start(options_, &error)) << error;
    }
    // The tool with `device` as its stored port, opened once the way the communication dialog does.
    void StartTool(const std::string& device) {
        dlg_.reset();
        controls_ = ui::ControlModel();
        services_ = std::make_unique<test::TestServices>(test::LineKind::Real);
        services_->link.SetMode(link::ComPort);
        const int index = services_->link.AddDevicePath(device);
        ASSERT_GE(index, 0);
        services_->link.OpenPort(static_cast<uint32_t>(index));
        services_->platform.boxes.clear();
        dlg_ = std::make_unique<StatusWindow>(services_->Get(), controls_);
    }
    void Shutdown() {
        dlg_.reset();
        services_.reset();
        server_.reset();
    }

    void Type(uint32_t id, const std::string& text) {
        controls_.SetText(id, text);
        dlg_->OnControlEvent(id, {ui::ControlEventType::EditKillFocus});
    }
    int32_t Value(uint32_t id) { return services_->table.GetDataValue(id); }
    int32_t CameraValue(const char* name) { return server_->Value(name).value_or(-999999); }
    size_t Answered() const { return std::ranges::count(dlg_->LastRead(), true, &camera::RowReadResult::answered); }
    std::vector<test::RecordedBox>& Boxes() { return services_->platform.boxes; }

    test::TempDir dir_;
    sim::SimOptions options_;
    std::unique_ptr<sim::PtyServer> server_;
    std::unique_ptr<test::TestServices> services_;
    ui::ControlModel controls_;
    std::unique_ptr<StatusWindow> dlg_;
};

// The virtual camera refuses "CBDRT" as a whole, so neither side moves (an unconfirmed raise: headless tests).
TEST_F(MainWindowPtyTest, RefusedRaiseLeavesTheLineAtItsOldRate) {
    StartCamera("KB", [](sim::SimOptions& o) { o.refuse = {"CBDRT"}; });
    dlg_->OnInitDialog();
    EXPECT_EQ(services_->link.GetBaudIndex(), 0);
    EXPECT_EQ(server_->CameraRate(), 9600u);
    EXPECT_EQ(Answered(), 144u);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].caption, "Communication Error");
}

TEST_F(MainWindowPtyTest, NoCameraOrAnUnsupportedModelLeavesTheToolWithItsDefaults) {
    StartCamera("KB", [](sim::SimOptions& o) { o.silent = true; });
    dlg_->OnInitDialog();
    EXPECT_TRUE(dlg_->LastRead().empty());
    EXPECT_EQ(services_->model.kind, camera::kModelUnknown);
    EXPECT_EQ(controls_.GetPicture(ui::kMainStatusStrip), protocol::kStripOffline);
    EXPECT_EQ(controls_.GetText(id::kWidth), "4096");
    EXPECT_EQ(controls_.GetText(id::kTriggerMode), "Off");
    EXPECT_EQ(services_->link.GetBaudIndex(), 0);
    EXPECT_TRUE(Boxes().empty());

    // An unsupported model is reported and nothing is read.
    StartCamera("KA");
    ASSERT_EQ(services_->engine.SendCommandString(protocol::cmd::MD00, "VR-8200-ZZ", protocol::milliseconds(10000)), 1);
    dlg_->OnInitDialog();
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes()[0].text, "Unsupported model: \"VR-8200-ZZ\"");
    EXPECT_EQ(Boxes()[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_TRUE(dlg_->LastRead().empty());
    EXPECT_EQ(services_->model.kind, camera::kModelUnknown);
    EXPECT_EQ(controls_.Selection(id::kModelDisplay), -1);
    EXPECT_EQ(Value(id::kGainAll), 100);  // "GA" keeps its default
    EXPECT_TRUE(dlg_->WindowEnabled());
}

TEST_F(MainWindowPtyTest, CameraIsFoundRaisedAndReadByModelAndMode) {
    struct Case {
        const char* model;
        uint32_t mode, rows, lackedControl;  // lackedControl: a row of the other model, which keeps its default
        int32_t lackedDefault;
        uint32_t startRate;
        std::vector<int> rates;  // the rates the line ran at, by index
    };
    const std::vector<int> atOnce = {4, 3, 2, 1, 0, 4};
    for (const Case& c : {Case{"KB", 0, 144, id::kExposureTimeR, 0, 9600, atOnce},
                          Case{"KB", 1, 160, id::kFactoryGainTypeARed, 8192, 9600, atOnce},
                          Case{"KA", 0, 146, id::kLineRateOption, 0, 9600, atOnce},
                          Case{"KA", 1, 178, id::kFactoryGainRed, 8192, 9600, atOnce},
                          // Found by the search, which tries 115200 first.
                          Case{"KA", 0, 146, id::kLineRateOption, 0, 57600, {4, 3, 2, 1, 0, 4, 3, 4}}}) {
        SCOPED_TRACE(std::string(c.model) + " mode " + std::to_string(c.mode) + " from " + std::to_string(c.startRate));
        StartCamera(c.model, [&](sim::SimOptions& o) { o.startRate = c.startRate; });
        dlg_->SetControlMode(c.mode);
        dlg_->OnInitDialog();
        EXPECT_EQ(dlg_->commBaud, c.rates);
        EXPECT_EQ(services_->link.GetBaudIndex(), 4);
        EXPECT_EQ(server_->CameraRate(), 115200u);
        EXPECT_EQ(controls_.GetPicture(ui::kMainStatusStrip), protocol::kStripOnline);
        EXPECT_EQ(Answered(), c.rows);
        EXPECT_EQ(dlg_->LastRead().size(), c.rows);
        EXPECT_EQ(Value(c.lackedControl), c.lackedDefault);
        EXPECT_EQ(dlg_->tabs.size(), c.mode == 1 ? 6u : 5u);
        EXPECT_EQ(dlg_->factoryMenuItems, c.mode == 1);
        EXPECT_EQ(controls_.GetText(id::kModelDisplay), std::string("VR-8200-") + c.model);
        EXPECT_TRUE(Boxes().empty()) << Boxes()[0].text;
        // What the camera holds is what the pages show.
        EXPECT_EQ(controls_.GetText(id::kGainAll), std::to_string(CameraValue("GA")));
    }
}

// Offline a change gets the Reconnect offer; online it is sent, a refusal undone, a lost line puts it back.
TEST_F(MainWindowPtyTest, ChangesAreOfferedAReconnectOfflineSentOnlineAndPutBackWhenTheLineGoes) {
    StartCamera("KB");
    dlg_->OnInitDialog();
    ASSERT_TRUE(services_->status.IsOnline());
    const int32_t gain = CameraValue("GA");
    // The camera is still there, so anything that reached the line would change it.
    services_->status.SetOffline();
    EXPECT_NE(dlg_->banner.find("Offline: the values shown were read from VR-8200-KB at "), std::string::npos)
        << dlg_->banner;

    using enum ui::ControlEventType;
    for (const auto& [type, id, change] :
         {std::tuple{EditKillFocus, 1041u, "GA=400"}, {SpinDelta, 1045u, "GA="}, {SelChange, 1101u, "LS0="}}) {
        Boxes().clear();
        if (type == EditKillFocus) controls_.SetText(id, "400");
        if (type == SelChange) controls_.SetSelection(id, 20);
        dlg_->OnControlEvent(id, {type, 1});
        ASSERT_EQ(Boxes().size(), 1u) << id;
        const auto& box = Boxes()[0];
        EXPECT_EQ(box.buttons, platform::MsgButtons::YesNo);
        EXPECT_EQ(box.text.rfind("The camera is offline: ", 0), 0u) << box.text;
        EXPECT_NE(box.text.find(change), std::string::npos) << box.text;
        EXPECT_NE(box.text.find("Reconnect"), std::string::npos) << box.text;
    }
    EXPECT_EQ(CameraValue("GA"), gain) << "nothing was sent";
    EXPECT_EQ(controls_.GetText(id::kGainAll), std::to_string(gain)) << "the edit shows the value the tool holds";
    EXPECT_EQ(Value(id::kGainAll), gain);

    // Leaving an edit that still shows its value is no change and asks nothing.
    Boxes().clear();
    Type(id::kGainAll, std::to_string(gain));
    EXPECT_TRUE(Boxes().empty());

    // Yes: the start-up runs again, and the change can go now.
    services_->platform.answers = {platform::MsgResult::Yes};
    Type(id::kGainAll, "400");
    EXPECT_TRUE(services_->status.IsOnline());
    EXPECT_EQ(dlg_->banner, "");
    Boxes().clear();
    Type(id::kGainAll, "400");
    EXPECT_EQ(CameraValue("GA"), 400);

    // Codes, not indices. (The model's own tests cover the read-outs, copies and enabling.)
    controls_.SetSelection(id::kTtlOut1, 20);  // "EncoderDirection"
    dlg_->OnControlEvent(id::kTtlOut1, {SelChange});
    EXPECT_EQ(CameraValue("LS0"), 30);

    // The camera's shortest line period refuses 123; the edit keeps the old one.
    const int32_t period = CameraValue("LR");
    Type(id::kLineRate, "123");
    EXPECT_EQ(Value(id::kLineRate), period);
    EXPECT_EQ(controls_.GetText(id::kLineRate), std::to_string(period));
    ASSERT_EQ(Boxes().size(), 1u);
    Type(id::kLineRate, "100000");
    EXPECT_EQ(CameraValue("LR"), 100000);

    server_->Stop();
    Type(id::kGainAll, "500");
    EXPECT_EQ(Value(id::kGainAll), 400);
    EXPECT_EQ(controls_.GetText(id::kGainAll), "400");
    EXPECT_EQ(controls_.GetPicture(ui::kMainStatusStrip), protocol::kStripOffline);
    ASSERT_FALSE(dlg_->statusTexts.empty());
    EXPECT_EQ(dlg_->statusTexts.back(), "The line to the camera went away during GA=500; the value was put back.");
    EXPECT_NE(dlg_->banner.find("Offline: the values shown were read from VR-8200-KB"), std::string::npos);
}

// A missing typed device and an adapter unplugged mid-read are told once; Reconnect finds the camera again.
TEST_F(MainWindowPtyTest, APortThatIsNotThereIsToldOnceAndKeptAndReconnectBringsTheCameraBack) {
    const std::string typed = dir_ / "ttyUSB7";
    StartTool(typed);
    dlg_->OnInitDialog();
    ASSERT_EQ(services_->platform.Texts().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Failed to initialize " + typed + " port!\nError in open(): No such file or directory");
    EXPECT_TRUE(dlg_->commBaud.empty()) << "no rate tried on a port that is not there";
    EXPECT_FALSE(services_->status.IsOnline());

    // The read stops at once with the line lost.
    StartCamera("KA", [](sim::SimOptions& o) { o.hangupAfter = 40; });
    dlg_->OnInitDialog();
    EXPECT_TRUE(dlg_->LastReadEnded());
    EXPECT_LT(Answered(), 146u);
    ASSERT_FALSE(Boxes().empty());
    EXPECT_NE(Boxes().back().text.find("The line to the camera went away"), std::string::npos) << Boxes().back().text;
    EXPECT_FALSE(services_->status.IsOnline());

    // Still unplugged: named by the device the operator chose, whether the list still holds it or not.
    server_->Stop();
    Boxes().clear();
    dlg_->commBaud.clear();
    EXPECT_EQ(dlg_->Reconnect(), 0);
    ASSERT_EQ(services_->platform.Texts().size(), 1u);
    EXPECT_EQ(Boxes()[0].text.rfind("Failed to initialize " + options_.linkPath + " port!\n", 0), 0u)
        << Boxes()[0].text;
    EXPECT_EQ(Boxes()[0].text.find("COM"), std::string::npos);
    EXPECT_TRUE(dlg_->commBaud.empty());

    // Plugged in again: a new pseudo-terminal behind the same name.
    options_.hangupAfter = 0;
    PlugIn();
    Boxes().clear();
    dlg_->areas.clear();
    EXPECT_EQ(dlg_->Reconnect(), 1);
    EXPECT_TRUE(Boxes().empty()) << Boxes()[0].text;
    EXPECT_EQ(Answered(), 146u);
    EXPECT_FALSE(dlg_->LastReadEnded());
    EXPECT_TRUE(services_->status.IsOnline());
    EXPECT_EQ(server_->CameraRate(), 115200u);
    EXPECT_EQ(dlg_->banner, "");
    EXPECT_EQ(dlg_->areas, std::vector<uint32_t>{0}) << "the start-up's area reaches the communication dialog";
}

}  // namespace
