// The one-push functions from the pages' lists and buttons over a pty: the lines they send, what they tell the operator
// and what they re-read. The waits run on a clock the test moves, so minutes of calibration take milliseconds.

#include <algorithm>
#include <functional>
#include <sstream>
#include <thread>
#include <tuple>

#include "CameraOnPty.h"
#include "calibration/OnePush.h"
#include "calibration/WaitClock.h"
#include "calibration/XmlVersion.h"
#include "camera/LongOperation.h"
#include "camera/ModelCommands.h"
#include "camera/WaitCancel.h"
#include "protocol/ParameterTable.h"
#include "ui/fronts/CalibrationFront.h"

using namespace vr;
using test::kApp;
using test::Strings;
using test::With;

namespace {

// A sleep adds its time at once; `realSleep` also passes in real time, for the progress window's paint interval.
class ManualClock final : public calibration::IWaitClock {
public:
    TimePoint Now() override { return now; }
    void Sleep(std::chrono::milliseconds duration) override {
        now += duration;
        if (onSleep) onSleep();
        if (realSleep.count() > 0) std::this_thread::sleep_for(realSleep);
    }

    const TimePoint start{std::chrono::hours(1)};
    TimePoint now = start;
    std::chrono::milliseconds realSleep{0};
    std::function<void()> onSleep;
};

// The camera's delays, short.
inline sim::SimOptions FastCamera(const std::string& model) {
    sim::SimOptions o;
    o.model = model;
    o.awbMs = o.agcMs = o.shadingMs = 20;
    o.recalibrateMs = 0;
    return o;
}

class OnePushPtyTest : public test::CameraOnPty {
protected:
    OnePushPtyTest() {
        // The start commands the virtual camera answers within its short delays, and an unanswered query ends after
        // half a second; the recalibrations keep their real time-outs, which bound their polls on the test's clock.
        timing.whiteBalanceStart = timing.gainAutoStart = timing.shadingStart = std::chrono::milliseconds(2000);
        timing.resultQuery = timing.xmlWrite = timing.xmlRead = std::chrono::milliseconds(500);
    }

    // A main window connected to the camera at 115200 bit/s; with `readAll` the pages hold the
    // camera's settings. Afterwards the lines sent and the boxes are cleared.
    void Start(const sim::SimOptions& options, bool readAll = true) {
        StartWindow(options);
        onePush = std::make_unique<calibration::OnePush>(dlg->Session(), dlg.get(), clock, timing);
        xml = std::make_unique<calibration::XmlVersion>(dlg->Session(), *dlg, timing);
        ui::RegisterCalibration(dlg->Router(), *onePush, *xml);
        if (readAll) {
            dlg->OnInitDialog();
        } else {
            Connect();
        }
        services->traffic.SetTerminalSink([this](const std::string& line) {
            if (line.rfind("Tx: ", 0) != 0) return;
            sent.push_back(line.substr(4));
            cancelWhileSending = cancelWhileSending || services->platform.cancelOffered;
        });
        sent.clear();
        services->platform.boxes.clear();
        services->platform.progress.clear();
    }
    void Shutdown() override {
        onePush.reset();
        xml.reset();
        CameraOnPty::Shutdown();
        cancelWhileSending = false;
    }

    void Select(uint32_t id, int index) {
        controls->SetSelection(id, index);
        dlg->OnControlEvent(id, {ui::ControlEventType::SelChange});
    }
    // The lines sent since the start-up, joined by spaces; "PGS?x5" for five PGS queries in a row.
    std::string Sent() const {
        std::ostringstream out;
        for (size_t i = 0; i < sent.size();) {
            size_t n = 1;
            while (i + n < sent.size() && sent[i + n] == sent[i]) ++n;
            out << (i == 0 ? "" : " ") << sent[i];
            if (n > 1) out << "x" << n;
            i += n;
        }
        return out.str();
    }

    // The boxes without the values re-read below a result ("\n\nAWB=0, GAR=125, ...").
    Strings Results() const {
        Strings results;
        for (const std::string& box : Boxes()) results.push_back(box.substr(0, box.find("\n\n")));
        return results;
    }
    // "GAR=125, GAB=80" as the camera holds the values now.
    std::string Values(std::initializer_list<const char*> names) const {
        std::string text;
        for (const char* name : names)
            text += (text.empty() ? "" : ", ") + std::string(name) + "=" + std::to_string(CameraValue(name));
        return text;
    }

    ManualClock clock;
    calibration::OnePushTiming timing;
    std::unique_ptr<calibration::OnePush> onePush;
    std::unique_ptr<calibration::XmlVersion> xml;
    bool cancelWhileSending = false;  // whether Cancel was on offer while a line went out
};

constexpr uint32_t kWhiteBalance = 1408, kGainAuto = 1173, kShading = 1121, kPixelGain = 1193, kPixelBlack = 1183,
                   kAutoSetting = 1667, kFactoryPixelGain = 1197, kFactoryPixelBlack = 1198;

}  // namespace

TEST_F(OnePushPtyTest, WhiteBalanceListStartsTheFunctionsTheModelHas) {
    const struct {
        const char* model;
        bool individualGain;
        int index;
        const char* sent;
        Strings boxes;
        int32_t cameraMode;  // "AWB" afterwards
        bool balancesGains;
    } cases[] = {
        // The green gain re-read in individual gain mode; the gain all outside it is vr8200ctl's onepush
        // (test_cli_pty).
        {"KA", true, 1, "AWB=2 AWRS? AWB? GAR? GAB? GAG?", {"White Balance Once: Succeeded"}, 0, true},
        // Index 2 is "Preset 5000K" on the KB, sent as its code; "Exposure Once" on the KA.
        {"KB", false, 2, "AWB=5", {}, 5, false},
        {"KA", false, 2, "AWB=4 AHRS? AWB? PER? PEB?", {"White Balance Exposure Once: Succeeded"}, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " index " + std::to_string(c.index));
        Start(FastCamera(c.model));
        if (c.individualGain) Select(1259, 1);
        sent.clear();
        Select(kWhiteBalance, c.index);
        EXPECT_EQ(Sent(), c.sent);
        EXPECT_EQ(Results(), c.boxes);
        EXPECT_EQ(CameraValue("AWB"), c.cameraMode);
        // The list shows the camera's mode, and the tool's copy agrees with the camera.
        EXPECT_EQ(services->table.GetDataValue(kWhiteBalance), c.cameraMode);
        EXPECT_EQ(services->table.GetCommittedDataValue(kWhiteBalance), c.cameraMode);
        if (c.balancesGains) {
            // The box lists what the function changed, as the camera holds it now.
            EXPECT_EQ(Boxes().front(), "White Balance Once: Succeeded\n\n" + Values({"AWB", "GAR", "GAB", "GAG"}));
            EXPECT_EQ(services->table.GetDataValue(1246), CameraValue("GAR"));
            EXPECT_EQ(controls->GetText(1246), std::to_string(CameraValue("GAR")));
        }
    }
}

TEST_F(OnePushPtyTest, GainAutoReReadsTheGreenGainWhateverTheGainMode) {
    Start(FastCamera("KB"));
    Select(kGainAuto, 1);
    EXPECT_EQ(Sent(), "AGC=2 AGCS? AGC? GAR? GAB? GAG?");
    EXPECT_EQ(Results(),
              (Strings{"Gain Auto Once: " + std::string(CameraValue("AGCS") == 1 ? "Succeeded" : "Control Limit")}));
    EXPECT_EQ(controls->Selection(kGainAuto), 0) << "the camera is back at Off";
    // "Off" again is no change: nothing to send.
    sent.clear();
    Select(kGainAuto, 0);
    EXPECT_EQ(Sent(), "");
}

TEST_F(OnePushPtyTest, ResultCodesReadAsTheirTextsAndUnlistedOnesAsUnknown) {
    // clang-format off
    const char* titles[] = {"White Balance Once", "White Balance Exposure Once", "Gain Auto Once",
                            "Shading Calibration", "Recalibrate Pixel Gain", "Recalibrate Pixel Black",
                            "Recalibrate Pixel Gain (Factory)", "Recalibrate Pixel Black (Factory)"};
    const struct {
        int32_t awb, exposure, agc, shading, pixelGain, pixelBlack;
        std::vector<const char*> texts;  // in the order of the titles
    } cases[] = {
        {2, 4, 3, 0, 2, 4, {"Error1 - G image was too bright", "Error3 - Timeout-error occurred", "Control Limit",
                            "Condition_Error", "Too Bright", "Timeout Error", "Too Bright", "Timeout Error"}},
        {0, 6, 0, 5, 5, -1, std::vector<const char*>(8, "Unknown Result")},
    };
    for (const auto& c : cases) {
        Start(With([&](sim::SimOptions& o) {
            std::tie(o.awbResult, o.exposureAwbResult, o.agcResult, o.shadingResult, o.pixelGainResult,
                     o.pixelBlackResult) = std::tie(c.awb, c.exposure, c.agc, c.shading, c.pixelGain, c.pixelBlack);
        }, FastCamera("KA")), false);
        // clang-format on
        Select(kWhiteBalance, 1);
        Select(kWhiteBalance, 2);
        Select(kGainAuto, 1);
        for (uint32_t button : {kShading, kPixelGain, kPixelBlack, kFactoryPixelGain, kFactoryPixelBlack})
            Click(button);
        Strings expected;
        for (size_t i = 0; i < c.texts.size(); ++i) expected.push_back(std::string(titles[i]) + ": " + c.texts[i]);
        EXPECT_EQ(Results(), expected);
    }
}

TEST_F(OnePushPtyTest, ShadingAndRecalibrationsWaitWithCancelOnlyBetweenCommands) {
    timing.shadingStart = std::chrono::seconds(420);
    Start(With([](sim::SimOptions& o) { o.busyStatusReads = 4; }, FastCamera("KB")), false);
    std::vector<bool> cancelInPauses;
    clock.onSleep = [&] { cancelInPauses.push_back(services->platform.cancelOffered); };
    Click(kShading);
    EXPECT_EQ(Sent(), "RS=0 SDRS?");
    EXPECT_EQ(clock.now - clock.start, std::chrono::milliseconds(1000)) << "the result is read a second after COMPLETE";
    EXPECT_EQ(services->platform.progress.back(), "finish");
    sent.clear();
    clock.now = clock.start;
    // The status reads Busy four times, then the camera's code: one poll a second.
    Click(kPixelGain);
    EXPECT_EQ(Sent(), "PGR=0 PGS?x5");
    EXPECT_EQ(clock.now - clock.start, std::chrono::milliseconds(5000));
    sent.clear();
    for (uint32_t button : {kPixelBlack, kFactoryPixelGain, kFactoryPixelBlack}) Click(button);
    EXPECT_EQ(Sent(), "PBR=0 PBS?x5 PGR00=0 PGS00?x5 PBR00=0 PBS00?x5");
    EXPECT_EQ(Boxes(), (Strings{"Shading Calibration: Complete", "Recalibrate Pixel Gain: Succeeded",
                                "Recalibrate Pixel Black: Succeeded", "Recalibrate Pixel Gain (Factory): Succeeded",
                                "Recalibrate Pixel Black (Factory): Succeeded"}));
    ASSERT_FALSE(cancelInPauses.empty());
    EXPECT_EQ(std::count(cancelInPauses.begin(), cancelInPauses.end(), false), 0) << "every pause offers Cancel";
    EXPECT_FALSE(cancelWhileSending) << "no command goes out while Cancel is on offer";
    EXPECT_FALSE(services->platform.cancelOffered);
    EXPECT_EQ(services->dialogs.Disabled(), false) << "the dialogs are given back";
}

TEST_F(OnePushPtyTest, PollsEndAtTheirBoundWhenTheCameraStopsAnsweringOrTheOperatorStops) {
    // A camera whose recalibrations never end: each polled once a second until its start command's own
    // time-out has passed since the start, then the operator is told.
    Start(With([](sim::SimOptions& o) { o.pixelGainResult = o.pixelBlackResult = 0; }, FastCamera("KA")), false);
    for (uint32_t button : {kPixelGain, kPixelBlack, kFactoryPixelGain, kFactoryPixelBlack}) {
        clock.now = clock.start;
        Click(button);
    }
    EXPECT_EQ(Sent(), "PGR=0 PGS?x420 PBR=0 PBS?x420 PGR00=0 PGS00?x200 PBR00=0 PBS00?x200");
    const std::string busy = " s (the camera still reports Busy)";
    EXPECT_EQ(Boxes(), (Strings{"Recalibrate Pixel Gain: No result after 420" + busy,
                                "Recalibrate Pixel Black: No result after 420" + busy,
                                "Recalibrate Pixel Gain (Factory): No result after 200" + busy,
                                "Recalibrate Pixel Black (Factory): No result after 200" + busy}));

    // A camera that goes silent mid-poll: three unanswered polls in a row end the wait.
    auto options = FastCamera("KA");
    options.busyStatusReads = 100;
    options.hangAtCommand = "PBS";
    options.hangAtCount = 3;
    Start(options, false);
    Click(kPixelBlack);
    EXPECT_EQ(Sent(), "PBR=0 PBS?x5");
    EXPECT_EQ(Boxes(), (Strings{"Recalibrate Pixel Black: No result: the camera did not answer PBS"}));

    // The operator stops it: Cancel is looked at once the progress window's paint interval has passed in real time.
    Start(With([](sim::SimOptions& o) { o.pixelGainResult = 0; }, FastCamera("KB")), false);
    clock.realSleep = camera::LongOperation::kPaintInterval + std::chrono::milliseconds(5);
    services->platform.stopAfterPolls = 0;
    Click(kPixelGain);
    EXPECT_EQ(Sent(), "PGR=0");
    EXPECT_EQ(Boxes(), (Strings{"Recalibrate Pixel Gain: Stopped after 0 s, before the camera reported a result."}));
    EXPECT_FALSE(services->platform.cancelOffered);
}

TEST_F(OnePushPtyTest, FailedStartsAreReportedAndTheListsShowTheCamerasMode) {
    Start(With([](sim::SimOptions& o) { o.refuse = {"AWB", "AGC", "RS", "PGR", "PBR", "PGR00"}; }, FastCamera("KB")));
    // The camera's text, then the command it refused.
    const auto refused = [](const std::string& line) {
        return "Communication Error: ERROR: Refused\n" + line + " [warning]";
    };
    Select(kWhiteBalance, 1);
    EXPECT_EQ(controls->Selection(kWhiteBalance), 0);
    Select(kGainAuto, 1);
    EXPECT_EQ(controls->Selection(kGainAuto), 0);
    for (uint32_t button : {kShading, kPixelGain, kPixelBlack, kFactoryPixelGain}) Click(button);
    EXPECT_EQ(Sent(), "AWB=2 AWB? AGC=2 AGC? RS=0 PGR=0 PBR=0 PGR00=0");
    EXPECT_EQ(Boxes(),
              (Strings{refused("AWB=2"), refused("AGC=2"), refused("RS=0"),
                       kApp + "Shading Calibration (Tool: RS Command Timeout) [error]", refused("PGR=0"),
                       kApp + "Recalibrate Pixel Gain (Tool: PGR Command Timeout) [error]", refused("PBR=0"),
                       kApp + "Recalibrate Pixel Black (Tool: PBR Command Timeout) [error]", refused("PGR00=0")}));

    // The presets are sent like any other setting, and a refusal is not put back.
    sent.clear();
    services->platform.boxes.clear();
    Select(kWhiteBalance, 3);
    EXPECT_EQ(Sent(), "AWB=6");
    EXPECT_EQ(Boxes(), (Strings{"Communication Error: ERROR: Refused\nAWB=6\nWhite Balance / Mode [warning]"}));
    EXPECT_EQ(controls->Selection(kWhiteBalance), 3);
    EXPECT_EQ(services->table.GetCommittedDataValue(kWhiteBalance), 6);
}

TEST_F(OnePushPtyTest, AutoSettingGoesOnOnlyAfterTheCodesThatLetIt) {
    const std::string full = "AWB=2 AWRS? RS=0 SDRS? AWB=2 AWRS? AGC=2 AGCS? GAR? GAB? GAG?";
    const auto refusedThenAbort = [](const char* line, const char* step) {
        return Strings{"Communication Error: ERROR: Refused\n" + std::string(line) + " [warning]",
                       kApp + step + " Abort [error]"};
    };
    // clang-format off
    const struct {
        const char* what;
        void (*set)(sim::SimOptions&);
        const char* sent;
        Strings boxes;
    } cases[] = {
        {"white balance refused", [](sim::SimOptions& o) { o.refuse = {"AWB"}; }, "AWB=2",
         refusedThenAbort("AWB=2", "Auto Setting White Balance_1")},
        {"white balance too dark", [](sim::SimOptions& o) { o.awbResult = 3; }, "AWB=2 AWRS? GAR? GAB? GAG?",
         {"White Balance_1 Once: Error2 - G image was too dark"}},
        {"white balance unanswered", [](sim::SimOptions& o) { o.hangAtCommand = "AWRS"; }, "AWB=2 AWRS? GAR? GAB? GAG?",
         {"White Balance_1 Once: No result: the camera did not answer AWRS"}},
        {"shading refused", [](sim::SimOptions& o) { o.refuse = {"RS"}; }, "AWB=2 AWRS? RS=0",
         refusedThenAbort("RS=0", "Shading Calibration")},
        {"shading too bright", [](sim::SimOptions& o) { o.shadingResult = 2; }, "AWB=2 AWRS? RS=0 SDRS? GAR? GAB? GAG?",
         {"Shading Calibration: Too Bright"}},
        {"second white balance unanswered", [](sim::SimOptions& o) { o.hangAtCommand = "AWB"; o.hangAtCount = 2; },
         "AWB=2 AWRS? RS=0 SDRS? AWB=2", {kApp + "Auto Setting White Balance_2 Abort [error]"}},
        {"second white balance too bright", [](sim::SimOptions& o) { o.awbResultRuns = {1, 2}; },
         "AWB=2 AWRS? RS=0 SDRS? AWB=2 AWRS? GAR? GAB? GAG?",
         {"White Balance_2 Once: Error1 - G image was too bright"}},
        {"gain auto refused", [](sim::SimOptions& o) { o.refuse = {"AGC"}; },
         "AWB=2 AWRS? RS=0 SDRS? AWB=2 AWRS? AGC=2", refusedThenAbort("AGC=2", "Auto Setting Gain Auto")},
        {"all succeeded", [](sim::SimOptions& o) { o.agcResult = 1; }, full.c_str(), {"Auto Setting: Succeeded"}},
        // A white balance out of time goes on like a good one; a gain auto short of success ends in silence.
        {"timed-out white balances, control limit", [](sim::SimOptions& o) { o.awbResult = 4; o.agcResult = 3; },
         full.c_str(), {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start(With(c.set, FastCamera("KB")), false);
        Click(kAutoSetting);
        EXPECT_EQ(Sent(), c.sent);
        EXPECT_EQ(Results(), c.boxes);
        EXPECT_FALSE(services->dialogs.Disabled());
    }
}

TEST_F(OnePushPtyTest, AutoSettingNamesItsStepsAndShowsTheCamerasGains) {
    Start(With([](sim::SimOptions& o) { o.agcResult = 1; }, FastCamera("KA")));
    Select(1259, 1);
    Click(kAutoSetting);
    const auto& progress = services->platform.progress;
    EXPECT_NE(std::find(progress.begin(), progress.end(), "text:Auto Setting, gain auto: 0 s of at most 2 s  (4 / 4)"),
              progress.end());
    for (auto [gain, name] : {std::pair{1244u, "GAG"}, std::pair{1246u, "GAR"}, std::pair{1248u, "GAB"}}) {
        EXPECT_EQ(controls->GetText(gain), std::to_string(CameraValue(name))) << name;
        EXPECT_EQ(services->table.GetCommittedDataValue(gain), CameraValue(name)) << name;
    }
}

// A camera hung in its calibration: the operator's Cancel abandons the wait for the start command, the
// tool says what that means and asks the camera nothing more; the other windows are given back.
TEST_F(OnePushPtyTest, CancelAbandonsTheWaitForAHungStartCommand) {
    timing.shadingStart = std::chrono::seconds(420);
    for (const uint32_t button : {kShading, kAutoSetting}) {
        SCOPED_TRACE(button);
        Start(With([](sim::SimOptions& o) { o.hangAtCommand = "RS"; }, FastCamera("KB")), false);
        camera::WaitCancel cancel(services->platform, services->dialogs, services->engine);
        services->engine.SetWaitCancel(&cancel);
        services->platform.stopAfterPolls = 0;  // Cancel at once when offered
        Click(button);
        services->engine.SetWaitCancel(nullptr);
        EXPECT_EQ(Sent(), button == kShading ? "RS=0" : "AWB=2 AWRS? RS=0");
        const std::string title = button == kShading ? "Shading Calibration" : "Auto Setting";
        EXPECT_EQ(Boxes(),
                  Strings{title + ": Stopped waiting for RS. The camera may still be calibrating; its answer will "
                                  "be ignored."});
        EXPECT_GT(services->platform.waitCancelOffers, 0);
        EXPECT_FALSE(services->platform.waitCancelOffered);
        EXPECT_EQ(services->platform.progress.back(), "finish");
        EXPECT_FALSE(services->dialogs.Disabled());
        EXPECT_TRUE(services->status.IsOnline()) << "the camera is not taken for gone";
    }
}

TEST_F(OnePushPtyTest, XmlVersionIsWrittenFromTheFirstCharactersAndReadDigitByDigit) {
    auto options = FastCamera("KA");
    // The sixth "XMLVR" line finds the camera silent.
    options.hangAtCommand = "XMLVR";
    options.hangAtCount = 6;
    Start(options, false);
    const uint32_t digits[] = {1178, 1179, 1180};
    const auto write = [&](const Strings& typed) {
        for (size_t i = 0; i < 3; ++i) controls->SetText(digits[i], typed[i]);
        Click(1181);
    };
    const auto shown = [&] {
        return Strings{controls->GetText(1178), controls->GetText(1179), controls->GetText(1180)};
    };
    write({"1", "", "3"});
    EXPECT_EQ(CameraValue("XMLVR"), 13);
    Click(1182);
    EXPECT_EQ(shown(), (Strings{"0", "1", "3"}));
    write({"a", "2", "3"});
    EXPECT_EQ(CameraValue("XMLVR"), 0);
    write({"-", "5", ""});  // -5: out of the camera's range
    write({"12", "34", "56"});
    EXPECT_EQ(CameraValue("XMLVR"), 135);
    // Unanswered: the boxes stay as they were, and a write says it failed. After that time-out the
    // write first asks "MD?", which the hung camera leaves unanswered too: "XMLVR" = 777 never goes out.
    Click(1182);
    EXPECT_EQ(shown(), (Strings{"12", "34", "56"}));
    write({"7", "7", "7"});
    EXPECT_EQ(Sent(), "XMLVR=13 XMLVR? XMLVR=0 XMLVR=-5 XMLVR=135 XMLVR? MD?");
    const std::string done = kApp + "Writing the XML Version has been completed. [info]";
    const std::string failed = kApp + "Couldn't write the XML Version. [error]";
    EXPECT_EQ(Boxes(), (Strings{done, done, "Communication Error: ERROR: Out of range\nXMLVR=-5 [warning]", failed,
                                done, failed}));
}
