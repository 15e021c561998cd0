// The main window's building blocks on their own: the page inventory's index, the headless control
// model, value display, wait notice, model layouts, enabling rules and the keyboard.

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>

#include "FakePlatform.h"
#include "camera/ModelCommands.h"
#include "protocol/ControlIds.h"
#include "protocol/ParameterTable.h"
#include "ui/ControlModel.h"
#include "ui/main/EnablingRules.h"
#include "ui/main/Keyboard.h"
#include "ui/main/ListCodes.h"
#include "ui/main/MenuTable.h"
#include "ui/main/ModelLayout.h"
#include "ui/main/PageInventory.h"
#include "ui/main/ValueDisplay.h"
#include "ui/main/WaitNotice.h"

using namespace vr;
namespace id = vr::protocol::id;
using namespace vr::ui;

// Ids do not collide, spins and buddies find each other both ways, lists have items (places: test_tables).
TEST(PageInventory, IdsAreUniqueAndSpinsFindTheirBuddies) {
    std::set<uint32_t> ids, spins;
    for (const PageControl& c : PageControls()) EXPECT_TRUE(ids.insert(c.id).second) << c.id;
    for (const PageControl& c : PageControls()) {
        EXPECT_EQ(TemplateItems(c.id).empty(), c.type != CtrlType::Combo) << c.id;
        if (c.spinId == 0) continue;
        EXPECT_EQ(ids.count(c.spinId), 0u) << "spin " << c.spinId << " collides with a control";
        EXPECT_TRUE(spins.insert(c.spinId).second) << c.spinId;
        EXPECT_EQ(BuddyOf(c.spinId), c.id);
        EXPECT_EQ(SpinOf(c.id), c.type == CtrlType::Edit ? c.spinId : 0u) << c.id;
    }
    // Captions' ids stay clear of controls, spins, menus and the main window's own controls.
    for (const PageLayout& page : PageLayouts())
        for (const GroupLayout& g : page.groups) {
            EXPECT_TRUE(g.groupId == 0 || g.groupId >= kGroupIdBase) << g.groupId;
            for (const RowLayout& r : g.rows) {
                if (r.labelId == 0 || r.labelId == id::kGammaLabel) continue;
                EXPECT_GE(r.labelId, kLabelIdBase);
                EXPECT_LT(r.labelId, kGroupIdBase);
            }
        }
    for (const MenuItem& m : MenuItems()) EXPECT_EQ(FindControl(m.id), nullptr) << m.id;
    EXPECT_EQ(FindControl(kMainStatusStrip), nullptr);
}

TEST(ControlModel, ListsKeepTheSelectionOnItsItemAndSpinsTheirPositionInRange) {
    ControlModel m;
    m.SetSelection(id::kClClock, 2);  // "42.5MHz"
    m.SetItemValue(id::kClClock, 2, 7);
    m.InsertItem(id::kClClock, 0, "X");
    EXPECT_EQ(m.Selection(id::kClClock), 3);
    EXPECT_EQ(m.ItemValue(id::kClClock, 3), 7);
    EXPECT_EQ(m.GetText(id::kClClock), "42.5MHz");
    m.RemoveItem(id::kClClock, 3);
    m.RemoveItem(id::kClClock, 0);
    EXPECT_EQ(m.Selection(id::kClClock), -1);
    EXPECT_EQ(m.ItemCount(id::kClClock), 3);
    EXPECT_EQ(m.FindItem(id::kClClock, "31.875MHz"), 2);
    m.SetSelection(id::kClClock, 9);
    EXPECT_EQ(m.Selection(id::kClClock), -1);

    m.SetSpinRange(id::kLineRateSpin, 10, 20);
    m.SetSpinPos(id::kLineRateSpin, 99);
    EXPECT_EQ(m.GetSpinPos(id::kLineRateSpin), 20);
    m.SetSpinRange(id::kLineRateSpin, 30, 25);  // upside down
    EXPECT_EQ(m.GetSpinPos(id::kLineRateSpin), 25);
    EXPECT_FALSE(m.Exists(id::kBaudRate));  // layout 116 only: unknown ids are inert
    m.SetText(id::kBaudRate, "x");
    EXPECT_EQ(m.GetText(id::kBaudRate), "");
    EXPECT_EQ(m.Selection(id::kBaudRate), -1);
    EXPECT_FALSE(m.IsShown(id::kBaudRate));
}

// What only a read of the screen meets (showing in edits, spins and coded lists is the control-event tests').
TEST(ValueDisplay, ReadsAndShowsByControlKind) {
    test::FakePlatform platform;
    protocol::ParameterTable table(platform);
    ControlModel m;
    ApplyComboCodes(m);
    ValueDisplay d(m, table);
    d.ShowValue(id::kNand0In1, 29);
    EXPECT_EQ(m.GetText(id::kNand0In1), "EncoderTriger");
    EXPECT_EQ(d.ReadValue(id::kNand0In1), 29);
    d.ShowValue(id::kTriggerSource, 20);
    EXPECT_EQ(m.GetText(id::kTriggerSource), "Line4 TTL In1");
    // No item with that code: the item at that index.
    d.ShowValue(id::kTtlOut1, 5);
    EXPECT_EQ(m.Selection(id::kTtlOut1), 5);
    d.ShowValue(id::kTriggerActivation, 2);
    EXPECT_EQ(d.ReadValue(id::kTriggerActivation), 2);
    m.SetSelection(id::kTriggerActivation, -1);
    EXPECT_EQ(d.ReadValue(id::kTriggerActivation), -1);
    // Edits read their leading number; a spin takes only a number within its range from its buddy.
    m.SetText(id::kWidth, "  -12abc");
    EXPECT_EQ(d.ReadValue(id::kWidth), -12);
    m.SetText(id::kWidth, "abc");
    EXPECT_EQ(d.ReadValue(id::kWidth), 0);
    m.SetSpinRange(id::kWidthSpin, 8, 4096);
    m.SetText(id::kWidth, "100");
    EXPECT_EQ(d.SpinPosition(id::kWidthSpin), 100);
    for (const char* bad : {"5000", "7", "12x", "", "99999999999"}) {
        m.SetText(id::kWidth, bad);
        EXPECT_EQ(d.SpinPosition(id::kWidthSpin), 100) << bad;
    }
    // A control on no page reads as 0xFFFFFFFF; showing in it does nothing.
    EXPECT_EQ(d.ReadValue(id::kBaudRate), -1);
    d.ShowValue(id::kBaudRate, 3);
    EXPECT_EQ(d.ReadValue(id::kReadExposureLimits), -1);  // a button holds no value
    EXPECT_EQ(ValueDisplay::FormatLineFrequency(0), "-") << "no period, no frequency";
}

TEST(WaitNotice, CountsTheSecondsBegunOfTheTimeOut) {
    using std::chrono::milliseconds;
    const std::tuple<int, int, const char*> cases[] = {
        {600, 20000, "1 of 20 s"}, {2001, 20000, "3 of 20 s"}, {25000, 20000, "20 of 20 s"}, {700, 1500, "1 of 2 s"}};
    for (const auto& [waited, timeout, seconds] : cases)
        EXPECT_EQ(WaitNotice::Format("BA=1", milliseconds(waited), milliseconds(timeout)),
                  std::string("Waiting for the camera (BA=1), ") + seconds);
}

// A layout hides the other model's controls and shows its own again (which are whose: test_tables). A group
// box or row label whose controls are all hidden is hidden; a group box that holds no control stands on both.
TEST(ModelLayout, ShowsOnlyTheModelsOwnControlsAndTheirCaptions) {
    ControlModel m;
    ApplyModelLayout(m, camera::kModelUnknown);
    EXPECT_TRUE(m.IsShown(id::kAnalogBaseGainAll) && m.IsShown(id::kExposureTimeR));
    for (uint32_t kind : {camera::kModelKB, camera::kModelKA, camera::kModelKB}) {
        const bool kb = kind == camera::kModelKB;
        SCOPED_TRACE(kb ? "KB" : "KA");
        ApplyModelLayout(m, kind);
        for (uint32_t id : ControlsOnlyOnKB()) EXPECT_TRUE(!m.Exists(id) || m.IsShown(id) == kb) << id;
        for (uint32_t id : ControlsOnlyOnKA()) EXPECT_TRUE(!m.Exists(id) || m.IsShown(id) == !kb) << id;
    }
    auto groupOf = [](const char* caption) {
        for (const PageLayout& p : PageLayouts())
            for (const GroupLayout& g : p.groups)
                if (g.caption == caption) return g;
        ADD_FAILURE() << "no group " << caption;
        return GroupLayout{};
    };
    auto shown = [&](const char* caption) { return m.IsShown(groupOf(caption).groupId); };
    EXPECT_FALSE(shown("Factory Gain Type A") || shown("Sub Pixel Shift"));
    EXPECT_TRUE(shown("Exposure") && shown("Tilted View Correction"));
    for (const RowLayout& r : groupOf("Exposure").rows) {
        const bool perColour = r.label == "Exposure Time R" || r.label == "Exposure Time G" ||
                               r.label == "Exposure Time B" || r.label == "RB Exp Interlocked";
        EXPECT_EQ(m.IsShown(r.labelId), !perColour) << r.label;
    }
    ApplyModelLayout(m, camera::kModelKA);
    EXPECT_TRUE(shown("Factory Gain Type A") && shown("Others") && shown("Tilted View Correction"));
    EXPECT_FALSE(shown("Factory Gain") || shown("Object Direction"));
}

// The exposure mode's and the individual gain mode's greying are the control-event tests' too.
TEST(EnablingRules, FollowTheSelections) {
    ControlModel m;
    for (const auto& [e, t, common, perColour] :
         {std::tuple{0, 0, false, false}, {1, 0, true, false}, {1, 1, false, true}, {2, 1, false, false}}) {
        m.SetSelection(id::kExposureMode, e);
        m.SetSelection(id::kExposureTimeMode, t);
        ApplyExposureEnabling(m);
        EXPECT_EQ(m.IsEnabled(id::kExposureTime), common) << e << t;
        EXPECT_EQ(m.IsEnabled(id::kExposureTimeR) && m.IsEnabled(id::kExposureTimeG) && m.IsEnabled(id::kExposureTimeB),
                  perColour)
            << e << t;
    }
    for (int trigger : {0, 1}) {
        m.SetSelection(id::kTriggerMode, trigger);
        ApplyTriggerModeEnabling(m);
        EXPECT_EQ(m.IsEnabled(id::kAutoResetMode), trigger == 1);
    }
    for (int u : {0, 1, 2}) {
        m.SetSelection(id::kLutMode, u);
        EXPECT_EQ(ApplyLutModeEnabling(m), u != 2);
        EXPECT_EQ(m.IsEnabled(id::kOpenLutTable), u == 2);
        EXPECT_EQ(m.IsShown(id::kGamma) && m.IsShown(id::kGammaSpin) && m.IsShown(id::kGammaLabel), u == 1);
    }
    for (int sel : {0, 1, 2, 4}) {
        m.SetSelection(id::kPixelGainMode, sel);
        m.SetSelection(id::kPixelBlackMode, 4 - sel);
        ApplyCorrectionButtonsEnabling(m);
        EXPECT_EQ(m.IsEnabled(id::kRecalibratePixelGain), sel >= 2);
        EXPECT_EQ(m.IsEnabled(id::kRecalibratePixelBlack), 4 - sel >= 2);
    }
    EXPECT_FALSE(ApplyIndividualGainEnabling(m, -1)) << "a mode the camera did not give changes nothing";
}

// The Qt tests type the code into the window, with a wrong letter; here the sequence's own steps.
TEST(Keyboard, FactorySequenceNeedsTheWholeCode) {
    const std::string code = FactoryKeySequence::AccessCode();
    using Step = FactoryKeySequence::Step;
    FactoryKeySequence s;
    EXPECT_EQ(s.Feed(code[0], false, false), Step::Idle);  // not armed
    EXPECT_EQ(s.Feed(kVkF12, true, false), Step::Idle);    // Ctrl missing
    EXPECT_EQ(s.Feed(kVkF12, true, true), Step::Armed);
    EXPECT_EQ(s.Feed(code[0], false, false), Step::Advanced);
    EXPECT_EQ(s.Feed('Q' == code[1] ? 'W' : 'Q', false, false), Step::Broken);
    EXPECT_EQ(s.Feed(code[2], false, false), Step::Idle);
    EXPECT_EQ(s.Feed(kVkF12, true, true), Step::Armed);
    for (size_t i = 0; i + 1 < code.size(); ++i) EXPECT_EQ(s.Feed(code[i], false, false), Step::Advanced);
    EXPECT_EQ(s.Feed(code.back(), false, false), Step::Complete);
    EXPECT_FALSE(s.Armed());
}

// F12 is "nothing": the window neither closes nor presses its default button.
TEST(Keyboard, EnterAndEscapeByFocusedControl) {
    using enum FocusKind;
    // key, focus, list dropped down; the key passed on, the edit applied
    const std::tuple<int, FocusKind, bool, int, bool> cases[] = {
        {kVkReturn, Edit, false, kVkF12, true},      {kVkReturn, Combo, true, kVkReturn, false},
        {kVkReturn, Combo, false, kVkF12, false},    {kVkReturn, Button, false, kVkF12, false},
        {kVkReturn, Other, false, kVkReturn, false}, {kVkEscape, Edit, false, kVkF12, false},
        {kVkEscape, Button, false, kVkF12, false},   {kVkEscape, Combo, true, kVkReturn, false},
        {kVkEscape, Combo, false, kVkF12, false},    {kVkEscape, Other, false, kVkEscape, false},
    };
    for (const auto& [vk, focus, dropped, out, apply] : cases) {
        const KeyTranslation t = TranslateKey(vk, focus, dropped);
        EXPECT_EQ(t.vk, out) << vk << " " << static_cast<int>(focus) << dropped;
        EXPECT_EQ(t.applyEdit, apply);
    }
    EXPECT_EQ(TranslateKey('A', Edit, false).vk, 'A') << "other keys pass as they are";
    EXPECT_FALSE(TranslateKey('A', Edit, false).applyEdit);
}
