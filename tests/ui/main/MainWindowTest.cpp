// The main window's logic over the virtual camera's model behind an in-memory link.

#include <gtest/gtest.h>

#include <algorithm>

#include "RecordingMainWindow.h"
#include "SimCameraLink.h"
#include "TestServices.h"
#include "protocol/ControlIds.h"
#include "ui/ControlModel.h"

using namespace vr;
namespace id = vr::protocol::id;
using namespace vr::test;
using Strings = std::vector<std::string>;

namespace {

sim::SimOptions CameraOptions(const char* model, std::vector<std::string> refuse = {},
                              uint32_t startRate = sim::kDefaultStartRate) {
    sim::SimOptions options;
    options.model = model;
    options.refuse = std::move(refuse);
    options.startRate = startRate;
    return options;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        link.traffic = &services.traffic;
        services.engine.SetLink(&link);
        dlg = std::make_unique<RecordingMainWindow>(services.Get(), controls);
    }
    void TearDown() override {
        dlg.reset();
        services.engine.SetLink(nullptr);
    }

    // The whole start-up, which finds its camera without a word to the operator; then the camera's log is empty.
    void StartUp(uint32_t controlMode = 0) {
        dlg->SetControlMode(controlMode);
        dlg->OnInitDialog();
        for (const auto& box : platform.boxes) ADD_FAILURE() << "start-up said \"" << box.text << '"';
        camera.ClearReceived();
        platform.boxes.clear();
    }

    void Select(uint32_t id, int index) {
        controls.SetSelection(id, index);
        dlg->OnControlEvent(id, {ui::ControlEventType::SelChange});
    }
    void Type(uint32_t id, const std::string& text) {
        controls.SetText(id, text);
        dlg->OnControlEvent(id, {ui::ControlEventType::EditKillFocus});
    }
    void Click(uint32_t id) { dlg->OnControlEvent(id, {ui::ControlEventType::Clicked}); }
    void Spin(uint32_t spinId, int delta) { dlg->OnControlEvent(spinId, {ui::ControlEventType::SpinDelta, delta}); }

    // Each control shows its text.
    void ExpectTexts(std::initializer_list<std::pair<uint32_t, const char*>> texts) {
        for (const auto& [control, text] : texts) EXPECT_EQ(controls.GetText(control), text) << control;
    }
    int32_t Value(uint32_t id) { return services.table.GetDataValue(id); }
    int32_t Committed(uint32_t id) { return services.table.GetCommittedDataValue(id); }
    int32_t CameraValue(const std::string& mnemonic) {
        const auto v = camera.Camera().Value(mnemonic);
        EXPECT_TRUE(v.has_value()) << mnemonic;
        return v.value_or(INT32_MIN);
    }

    TestServices services;
    FakePlatform& platform = services.platform;
    MemoryLink link;
    FakeLineControl& line = services.fakeLine;
    SimCameraLink camera{link, line, CameraOptions("KB")};
    ui::ControlModel controls;
    std::unique_ptr<RecordingMainWindow> dlg;
};

}  // namespace

// The line's steps, the wake-up bytes, a raise only where link and UART follow, the area (the rest: pty tests).
TEST_F(MainWindowTest, StartUpRaisesTheLineOnlyWhereLinkAndCameraFollow) {
    const struct {
        const char* name;
        const char* model;
        uint32_t startRate, lineMode, fastestRate;
        bool rateFixed;
        const char* ops;  // after the flush on the serial port "reopen baud4 baud3 baud2 baud1 baud0"
        int wakeUpBytes, raises, finalBaud;
        uint32_t rows, area;
    } cases[] = {
        {"at 9600", "KB", 9600, link::ComPort, 115200, false, "baud4", 70, 2, 4, 144, 0},
        // A Camera Link library that stops at 38400: neither the link nor the camera is asked higher.
        {"link stops", "KA", 9600, link::CameraLink2000, 38400, false, "reopen baud2 baud1 baud0", 0, 0, 0, 146, 0},
        // The camera acknowledges the raise but its UART cannot follow: back to the rate that works.
        {"unconfirmed", "KB", 9600, link::ComPort, 115200, true, "baud4 baud0", 70, 1, 0, 144, 0},
        // Left at 57600 with user area 2 loaded: found by the search, the area asked there once.
        {"search", "KA", 57600, link::ComPort, 115200, false, "baud4 baud3 baud4", 70, 2, 4, 146, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dlg.reset();
        line = FakeLineControl();
        line.mode = c.lineMode;
        line.fastestRate = c.fastestRate;
        camera.Reset(CameraOptions(c.model, {}, c.startRate));
        camera.rateFixed = c.rateFixed;
        camera.ClearReceived();
        if (c.area != 0) camera.Prepare("LD=" + std::to_string(c.area));
        dlg = std::make_unique<RecordingMainWindow>(services.Get(), controls);
        dlg->OnInitDialog();
        std::string ops;
        for (const std::string& op : line.ops) ops += ops.empty() ? op : " " + op;
        EXPECT_EQ(ops, (c.wakeUpBytes > 0 ? "reopen baud4 baud3 baud2 baud1 baud0 " : "") + std::string(c.ops));
        EXPECT_EQ(line.wakeUpBytes, c.wakeUpBytes);
        EXPECT_EQ(std::ranges::count(camera.Sets(), "CBDRT=16"), c.raises);
        EXPECT_EQ(line.baudIndex, c.finalBaud);
        EXPECT_EQ(dlg->commBaud.back(), c.finalBaud);
        EXPECT_EQ(camera.Camera().CurrentRate(), c.raises == 0 ? 9600u : 115200u);
        EXPECT_EQ(dlg->LastRead().size(), c.rows);
        for (const auto& r : dlg->LastRead()) EXPECT_TRUE(r.answered);
        EXPECT_EQ(dlg->CurrentArea(), c.area);
        EXPECT_EQ(camera.Queries("EA"), 1);
        EXPECT_TRUE(platform.boxes.empty());
    }
}

// The KB has no "PER": it is never asked (that its row keeps the tool's default is the pty tests').
TEST_F(MainWindowTest, ReadAllAsksOnlyWhatTheModelHasAndShowsItsProgress) {
    camera.Prepare("GA=800");
    StartUp();
    EXPECT_EQ(Committed(id::kGainAll), 800);
    int32_t lo = 0, hi = 0;
    controls.GetSpinRange(id::kWidthSpin, lo, hi);  // the spins take their rows' ranges
    EXPECT_EQ(lo, 8);
    EXPECT_EQ(hi, 4096);

    // Progress: 100 per row over the 171 user values, then finished; dialogs greyed meanwhile.
    platform.progress.clear();
    dlg->OnMenuCommand(30002);
    ASSERT_FALSE(platform.progress.empty());
    EXPECT_EQ(platform.progress.front(), "open:Now, reading camera settings.");
    EXPECT_EQ(platform.progress[platform.progress.size() - 2], "pos:" + std::to_string(144 * 100 / 171));
    EXPECT_EQ(platform.progress.back(), "finish");
    EXPECT_EQ(camera.Queries("EA"), 1);
    EXPECT_EQ(camera.Queries("PER"), 0);
    EXPECT_TRUE(dlg->WindowEnabled());
    EXPECT_TRUE(platform.boxes.empty());
}

// The whole code switches and re-reads the factory values (a broken one is the keyboard's and the Qt tests').
TEST_F(MainWindowTest, KeySequenceTogglesTheControlModeAndRereads) {
    camera.Prepare("GAOR=9000");
    StartUp();
    EXPECT_EQ(Value(id::kFactoryGainRed), 8192);  // a factory value is not read in user mode
    dlg->OnKey(ui::kVkF12, true, true, id::kGainAll, false);
    for (char c : ui::FactoryKeySequence::AccessCode()) dlg->OnKey(c, false, false, id::kGainAll, false);
    EXPECT_EQ(dlg->ControlMode(), 1u);
    EXPECT_EQ(dlg->tabs.size(), 6u);
    EXPECT_EQ(dlg->pages.back(), 0);
    EXPECT_EQ(camera.Queries("GAOR"), 1);
    EXPECT_EQ(Value(id::kFactoryGainRed), 9000);
    EXPECT_EQ(dlg->LastRead().size(), 160u);
    for (const auto& r : dlg->LastRead()) EXPECT_TRUE(r.answered);
}

// On KB a control the camera lacks shows no value, not the tool's default, and is never asked for.
TEST_F(MainWindowTest, KbControlsTheCameraLacksShowNoValueAndAreNotReread) {
    StartUp(1);
    ASSERT_EQ(services.model.kind, camera::kModelKB);
    EXPECT_EQ(controls.GetText(id::kNrThreshold), "") << "NR Threshold";
    EXPECT_NE(controls.GetText(id::kGainAll), "") << "Gain All";
    Select(id::kExposureMode, 1);
    for (const char* lacked : {"PER", "PEG", "PEB", "ETM"}) EXPECT_EQ(camera.Queries(lacked), 0) << lacked;
    EXPECT_GT(camera.Queries("PE"), 0);
    EXPECT_TRUE(platform.boxes.empty()) << platform.boxes[0].text;
}

// A Camera Link port that does not open is reported once, by the window (the libraries say nothing).
TEST_F(MainWindowTest, CameraLinkPortThatDoesNotOpenIsReportedOnce) {
    line.mode = link::CameraLink2000;
    line.reopenResult = 0;
    dlg->OnInitDialog();
    EXPECT_EQ(line.ops, Strings{"reopen"});
    EXPECT_EQ(platform.Texts(), Strings{"Failed to initialize!"});
    EXPECT_TRUE(dlg->LastRead().empty());
    EXPECT_TRUE(camera.Received().empty());
}

// A refused change and one without an answer are undone: the pty and Qt tests see that on screen.
TEST_F(MainWindowTest, EditsAndSpinsSendOnlyValuesInTheirRange) {
    StartUp();
    // Not a number in the spin's range: the position shown before stays and nothing changes.
    const std::string gain = controls.GetText(id::kGainAll);
    Type(id::kGainAll, "99999");
    EXPECT_TRUE(camera.Sets().empty());
    EXPECT_EQ(controls.GetText(id::kGainAll), gain);

    Type(id::kLineRate, "5020");
    ExpectTexts({{id::kLinePeriodText, "50.20us"}, {id::kLineFrequencyText, "19920.3187hz"}});
    Spin(id::kLineRateSpin, 1);
    ExpectTexts({{id::kLineRate, "5021"}, {id::kLinePeriodText, "50.21us"}});

    // A step below the camera's shortest line period is refused and leaves the spin where it was.
    Spin(id::kLineRateSpin, -5);
    EXPECT_EQ(camera.Sets(), (Strings{"LR=5020", "LR=5021", "LR=5016"}));
    EXPECT_EQ(controls.GetText(id::kLineRate), "5021");
    EXPECT_EQ(controls.GetSpinPos(id::kLineRateSpin), 5021);
    EXPECT_EQ(CameraValue("LR"), 5021);

    camera.ClearReceived();
    Spin(id::kWidthSpin, -5000);
    EXPECT_EQ(camera.Sets(), Strings{"WTC=8"});
    EXPECT_EQ(camera.Queries("WTC"), 1);
    EXPECT_EQ(controls.GetText(id::kWidth), "8");
    EXPECT_EQ(Committed(id::kWidth), 8);
}

TEST_F(MainWindowTest, GainLevelPercentAndItsTwoScalesFollowEachOtherAndOnlyThePercentIsSent) {
    StartUp();
    Type(id::kGainLevel, "40");
    ExpectTexts({{id::kGainLevel8, "102"}, {id::kGainLevel10, "408"}});
    Type(id::kGainLevel8, "128");
    ExpectTexts({{id::kGainLevel10, "512"}, {id::kGainLevel, "50"}});
    Type(id::kGainLevel10, "972");
    EXPECT_EQ(controls.GetText(id::kGainLevel8), "243");
    EXPECT_EQ(camera.Sets(), (Strings{"AGCF=40", "AGCF=50", "AGCF=95"})) << "the copies are never sent themselves";
    EXPECT_EQ(CameraValue("AGCF"), 95);
}

TEST_F(MainWindowTest, ListsSendCodesAndUndoRefusals) {
    // The camera boots with "EncoderTrigger" (code 29, item 19) on TTLOut2 and the shortest line period.
    for (const char* set : {"LS1=29", "LR=5019", "SA00=0"}) camera.Prepare(set);
    camera.Restart(CameraOptions("KB", {"LS1", "CLCFG"}));
    StartUp();
    EXPECT_EQ(controls.GetText(id::kTtlOut2), "EncoderTrigger");

    // A refused coded value goes back to the item of its code, not to the index of that code.
    Select(id::kTtlOut2, 1);
    EXPECT_EQ(camera.Sets(), Strings{"LS1=1"});
    EXPECT_EQ(Value(id::kTtlOut2), 29);
    EXPECT_EQ(controls.GetText(id::kTtlOut2), "EncoderTrigger");

    // Pixel format: the line period the camera had to stretch for the wider pixels is re-read.
    camera.ClearReceived();
    Select(id::kPixelFormat, 1);
    EXPECT_EQ(camera.Sets(), Strings{"BA=1"});
    EXPECT_EQ(camera.Queries("LR"), 1);
    EXPECT_GT(CameraValue("LR"), 5019);
    EXPECT_EQ(Value(id::kLineRate), CameraValue("LR"));
    EXPECT_EQ(controls.GetText(id::kLinePeriodText), ui::ValueDisplay::FormatLinePeriod(CameraValue("LR")));
    EXPECT_EQ(Committed(id::kPixelFormat), 1);
    Select(id::kClConfiguration, 3);  // "Eighty" 4
    EXPECT_EQ(camera.Sets().back(), "CLCFG=4");
    EXPECT_EQ(Value(id::kClConfiguration), 0);
    EXPECT_EQ(controls.Selection(id::kClConfiguration), 0);
}

// Exposure mode is not undone; its dependants are re-read (a KA, which has all of them).
TEST_F(MainWindowTest, RefusedExposureModeStaysAndItsDependantsAreReread) {
    camera.Reset(CameraOptions("KA", {"TR"}));
    StartUp();
    Select(id::kExposureMode, 1);
    EXPECT_EQ(camera.Sets(), Strings{"TR=1"});
    EXPECT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(Value(id::kExposureMode), 1);
    EXPECT_EQ(Committed(id::kExposureMode), 1);
    for (const char* q : {"PE", "PEG", "PER", "PEB", "TM", "TA", "ETM"}) EXPECT_EQ(camera.Queries(q), 1) << q;
    EXPECT_TRUE(controls.IsEnabled(id::kExposureTime));
}

TEST_F(MainWindowTest, IndividualGainModeSwitchesGainsAndRanges) {
    StartUp();
    EXPECT_TRUE(controls.IsEnabled(id::kGainAll));
    Select(id::kIndividualGainMode, 1);
    EXPECT_EQ(camera.Sets(), Strings{"GM=1"});
    EXPECT_FALSE(controls.IsEnabled(id::kGainAll));
    EXPECT_TRUE(controls.IsEnabled(id::kGainGreen));
    int32_t lo = 0, hi = 0;
    controls.GetSpinRange(id::kGainRedSpin, lo, hi);
    EXPECT_EQ(lo, 100);
    for (const char* q : {"AWB", "GAG", "GAR", "GAB", "AGCF"}) EXPECT_EQ(camera.Queries(q), 1) << q;
    camera.ClearReceived();
    Select(id::kIndividualGainMode, 0);
    controls.GetSpinRange(id::kGainBlueSpin, lo, hi);
    EXPECT_EQ(hi, 400);
    EXPECT_EQ(camera.Queries("GA"), 1);
    EXPECT_TRUE(platform.boxes.empty());
}

// The read-outs show what the camera measures: a counter and its overflow, the temperature, the limits.
TEST_F(MainWindowTest, ReadOutButtonsShowWhatTheCameraMeasures) {
    camera.Prepare("CE2=2");  // counter 2 counts from now, one per line period of 200 us
    StartUp();
    camera.Advance(std::chrono::minutes(6));
    Click(id::kCounter2Read);
    ExpectTexts({{id::kCounter2Value, "1800000"}, {id::kCounter2Status, "Counter Active"}});
    Click(id::kGetTemperature);
    ExpectTexts({{id::kTemperature, "41"}});
    camera.Advance(std::chrono::hours(120));
    Click(id::kCounter2Read);
    ExpectTexts({{id::kCounter2Value, "2147483647"}, {id::kCounter2Status, "Counter Overflow"}});

    camera.ClearReceived();
    for (uint32_t button : {id::kCounter0Reset, id::kReadMinLinePeriod, id::kReadExposureLimits}) Click(button);
    EXPECT_EQ(camera.Sets(), Strings{"CR0=0"});
    ExpectTexts({{id::kCounter0Value, "0"},
                 {id::kCounter0Status, "Counter Idle"},
                 {id::kMinLinePeriodText, "5019"},
                 {id::kExposureMaxText, "19900"},
                 {id::kExposureMinText, "100"}});
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(MainWindowTest, LutPointsGoOnlyWithTheirButtons) {
    StartUp();
    Type(id::kLutIndexG, "10");
    Type(id::kLutValueG, "700");
    EXPECT_TRUE(camera.Sets().empty());
    // The camera's table is the identity: entry 10 holds 160.
    Click(id::kLutReadG);
    EXPECT_EQ(camera.Sets(), Strings{"LUTIG=10"});
    EXPECT_EQ(controls.GetText(id::kLutValueG), "160");
    controls.SetText(id::kLutValueG, "700");
    Click(id::kLutWriteG);
    EXPECT_EQ(camera.Sets().back(), "LUTG=700");
    EXPECT_EQ(camera.Camera().LutEntry(1, 10), 700);
    // A refused index (the table ends at 255) stops the write: the value would land on another entry.
    Type(id::kLutIndexR, "256");
    camera.ClearReceived();
    Click(id::kLutWriteR);
    EXPECT_EQ(camera.Sets(), Strings{"LUTIR=256"});
    EXPECT_EQ(platform.boxes.size(), 1u);
}

TEST_F(MainWindowTest, ChromaticAberrationEditorsAddressTheirCommands) {
    camera.Reset(CameraOptions("KA"));
    camera.Prepare("CACM=2");
    camera.Prepare("CACSM2=1");  // asynchronous: one side at a time
    StartUp();
    EXPECT_TRUE(controls.IsEnabled(id::kCaRatio));
    EXPECT_EQ(controls.Selection(id::kCaMode), 2);
    EXPECT_EQ(controls.Selection(id::kCaSyncMode), 1);

    // lens 2: family = 2 + 4 x colour
    const std::tuple<int, int, int, uint32_t, uint32_t> cases[] = {
        {1, 3, 1, id::kCaRatio, 169 + 9 * 6 + 3}, {1, 3, 2, id::kCaRatio, 240 + 8 * 6 + 3},
        {0, 0, 1, id::kCaRatio, 169 + 9 * 2},     {1, 3, 1, id::kCaValue, 149 + 6},
        {1, 3, 2, id::kCaValue, 157 + 6},         {0, 5, 1, id::kCaCoefficient, 305 + 2},
        {0, 5, 2, id::kCaCoefficient, 313 + 2},
    };
    for (const auto& [colour, point, side, edit, cmd] : cases) {
        SCOPED_TRACE(std::to_string(edit) + " side " + std::to_string(side));
        controls.SetSelection(id::kCaColour, colour);
        controls.SetSelection(id::kCaPoint, point);
        controls.SetSelection(id::kCaSide, side);
        camera.ClearReceived();
        Type(edit, "70");
        EXPECT_EQ(camera.Sets(), Strings{protocol::GetCommandName(cmd) + "=70"});
        EXPECT_EQ(CameraValue(protocol::GetCommandName(cmd)), 70);
    }
    EXPECT_TRUE(platform.boxes.empty());
    // Right side without point 0; synchronous mode works on both sides.
    controls.SetSelection(id::kCaPoint, 0);
    Select(id::kCaSide, 2);
    EXPECT_EQ(controls.Selection(id::kCaPoint), 1);
    Select(id::kCaSyncMode, 0);
    EXPECT_EQ(camera.Sets().back(), "CACSM2=0");
    EXPECT_EQ(controls.Selection(id::kCaSide), 0);
    Select(id::kCaSide, 1);
    EXPECT_EQ(controls.Selection(id::kCaSide), 0);

    // A refused value (a coefficient below 10) is not left on screen.
    controls.SetSelection(id::kCaColour, 0);
    Type(id::kCaCoefficient, "7");
    EXPECT_EQ(camera.Sets().back(), "CACC2R=7");
    EXPECT_EQ(controls.GetText(id::kCaCoefficient), "70");
    EXPECT_EQ(platform.boxes.size(), 1u);

    Select(id::kCaMode, 0);
    EXPECT_EQ(camera.Sets().back(), "CACM=0");
    EXPECT_FALSE(controls.IsEnabled(id::kCaRatio) || controls.IsEnabled(id::kCaRatioSpin) ||
                 controls.IsEnabled(id::kCaSave));
    EXPECT_TRUE(controls.IsEnabled(id::kCaMode));
}

TEST_F(MainWindowTest, LaterFeaturesSayTheyAreNotAvailable) {
    StartUp();
    Select(id::kWhiteBalance, 1);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_NE(platform.boxes[0].text.find("not available"), std::string::npos);
    EXPECT_EQ(controls.Selection(id::kWhiteBalance), 0);
    EXPECT_TRUE(camera.Sets().empty());
    for (uint32_t button : {1121u, 1193u, 1667u, 1010u, 1012u, 1014u, 1021u, 1181u, 1336u}) Click(button);
    for (uint32_t menu : {30008u, 30011u, 30003u, 30004u, 30006u, 30001u, 30010u}) dlg->OnMenuCommand(menu);
    EXPECT_EQ(platform.boxes.size(), 17u);
    EXPECT_TRUE(camera.Received().empty());
}

// Closing unasked after a camera reset is the settings tests'; the question's text the Qt tests'.
TEST_F(MainWindowTest, CloseAsksFirst) {
    platform.answers = {platform::MsgResult::No, platform::MsgResult::Yes};
    dlg->OnMenuCommand(2);
    EXPECT_EQ(dlg->closes, 0);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].buttons, platform::MsgButtons::YesNo);
    dlg->OnClose();
    EXPECT_EQ(dlg->closes, 1);
}
