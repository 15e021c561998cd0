// The main window's start-up against the virtual camera's model behind the in-memory link: the
// probes and the raise, a link that cannot follow, the read, the control mode and a port that fails.

#include <algorithm>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "ui/main/Keyboard.h"

using namespace vr;
using namespace vr::test;
using Strings = std::vector<std::string>;

namespace {

int Count(const Strings& v, const std::string& s) {
    return static_cast<int>(std::count(v.begin(), v.end(), s));
}

}  // namespace

// The pty tests see the raise and the read per model and mode; here the order of the probes, the
// wake-up bytes on each and the spins' ranges from the rows.
TEST_F(MainWindowTest, CameraAt9600IsFoundRaisedAndRead) {
    dlg->OnInitDialog();
    EXPECT_EQ(line.ops, (Strings{"reopen", "baud4", "baud3", "baud2", "baud1", "baud0", "baud4"}));
    EXPECT_EQ(line.wakeUpBytes, 5 * 14);
    EXPECT_EQ(Count(camera.Sets(), "CBDRT=16"), 2);
    EXPECT_EQ(camera.Camera().CurrentRate(), 115200u);
    EXPECT_TRUE(platform.boxes.empty());
    int32_t lo = 0, hi = 0;
    controls.GetSpinRange(1226, lo, hi);
    EXPECT_EQ(lo, 8);
    EXPECT_EQ(hi, 4096);
}

// The link cannot run at 115200 (a Camera Link library that refuses it): the start-up neither asks
// the link for that rate nor sends the camera there, and reads at the rate it found.
TEST_F(MainWindowTest, NoRaiseWhenTheLinkCannotFollow) {
    line.refusedRates = {115200, 57600};
    line.mode = link::CameraLink2000;
    camera.Reset(CameraOptions("KA"));
    dlg->OnInitDialog();
    EXPECT_EQ(line.ops, (Strings{"reopen", "baud2", "baud1", "baud0"}));
    EXPECT_EQ(line.wakeUpBytes, 0);
    EXPECT_EQ(Count(camera.Sets(), "CBDRT=16"), 0);
    EXPECT_EQ(line.baudIndex, 0);
    EXPECT_EQ(camera.Camera().CurrentRate(), 9600u);
    EXPECT_EQ(dlg->LastRead().size(), 146u);
    EXPECT_TRUE(platform.boxes.empty());
}

// The camera acknowledges the rate change but its UART cannot make it: the confirmation at 115200
// is never heard and the line goes back to the rate that works.
TEST_F(MainWindowTest, UnconfirmedRaiseReturnsToTheOldRate) {
    camera.rateFixed = true;
    dlg->OnInitDialog();
    EXPECT_EQ(Count(camera.Sets(), "CBDRT=16"), 1);
    EXPECT_GT(camera.BytesDroppedForRate(), 0);
    EXPECT_EQ(line.ops.back(), "baud0");
    EXPECT_EQ(dlg->commBaud.back(), 0);
    EXPECT_EQ(dlg->LastRead().size(), 144u);
    for (const auto& r : dlg->LastRead()) EXPECT_TRUE(r.answered);
}

// The KB has no "PER": it is never asked, and its row keeps the tool's default.
TEST_F(MainWindowTest, ReadAllKeepsDefaultsOfRowsTheModelLacks) {
    camera.Prepare("GA=800");
    camera.Prepare("LR=6000");
    StartUp();
    EXPECT_EQ(Value(1294), 0);
    EXPECT_EQ(controls.GetText(1215), "60.00us");
    EXPECT_EQ(Committed(1041), 800);

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

TEST_F(MainWindowTest, KeySequenceTogglesTheControlModeAndRereads) {
    camera.Prepare("GAOR=9000");
    StartUp();
    EXPECT_EQ(Value(1255), 8192);  // a factory value is not read in user mode
    // A broken sequence and the letters kept from the edit are the keyboard's and the Qt tests';
    // here the whole code switches and re-reads.
    dlg->OnKey(ui::kVkF12, true, true, 1041, false);
    for (char c : ui::FactoryKeySequence::AccessCode()) dlg->OnKey(c, false, false, 1041, false);
    EXPECT_EQ(dlg->ControlMode(), 1u);
    EXPECT_EQ(dlg->tabs.size(), 6u);
    EXPECT_EQ(dlg->pages.back(), 0);
    EXPECT_EQ(camera.Queries("GAOR"), 1);
    EXPECT_EQ(Value(1255), 9000);
    EXPECT_EQ(dlg->LastRead().size(), 160u);
    for (const auto& r : dlg->LastRead()) EXPECT_TRUE(r.answered);
}

// On KB a control whose command the camera lacks shows no value rather than the tool's default, and
// nothing asks the camera for it: changing the exposure mode re-reads only what a KB has.
TEST_F(MainWindowTest, KbControlsTheCameraLacksShowNoValueAndAreNotReread) {
    StartUp(1);
    ASSERT_EQ(services.model.kind, settings::kModelKB);
    EXPECT_EQ(controls.GetText(1674), "") << "NR Threshold";
    EXPECT_NE(controls.GetText(1041), "") << "Gain All";
    Select(1092, 1);
    for (const char* lacked : {"PER", "PEG", "PEB", "ETM"}) EXPECT_EQ(camera.Queries(lacked), 0) << lacked;
    EXPECT_GT(camera.Queries("PE"), 0);
    EXPECT_TRUE(platform.boxes.empty()) << platform.boxes[0].text;
}

// A camera left at 57600 with user area 2 loaded is found by the search; the area is asked of it
// there, once, and shown.
TEST_F(MainWindowTest, CameraFoundBySearchReportsItsArea) {
    sim::SimOptions options = CameraOptions("KA");
    options.startRate = 57600;
    camera.Reset(options);
    camera.Prepare("LD=2");
    dlg->OnInitDialog();
    // (The search's probes are the pty test's.)
    EXPECT_EQ(dlg->CurrentArea(), 2u);
    EXPECT_EQ(camera.Queries("EA"), 1);
}

// A port that does not open is reported once; no flush or search runs on it. The serial port link
// tells its own failure (the pty tests see that box), so the window adds none; the Camera Link
// libraries say nothing, so the window does.
TEST_F(MainWindowTest, PortThatDoesNotOpenIsReportedOnce) {
    struct Case {
        uint32_t mode;
        Strings boxes;
    };
    for (const Case& c : {Case{link::ComPort, {}}, Case{1, {"Failed to initialize!"}}}) {
        dlg.reset();
        platform.boxes.clear();
        line.ops.clear();
        line.mode = c.mode;
        line.reopenResult = 0;
        dlg = std::make_unique<RecordingMainWindow>(services.Get(), controls);
        dlg->OnInitDialog();
        EXPECT_EQ(line.ops, Strings{"reopen"}) << c.mode;
        EXPECT_EQ(platform.Texts(), c.boxes) << c.mode;
        EXPECT_TRUE(dlg->LastRead().empty());
        EXPECT_TRUE(camera.Received().empty());
    }
}
