// The main window's building blocks on their own: the page inventory's index, the headless control
// model, value display, wait notice, model layouts, enabling rules and the keyboard.

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>

#include "FakePlatform.h"
#include "camera/ModelCommands.h"
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
                if (r.labelId == 0 || r.labelId == 1141) continue;
                EXPECT_GE(r.labelId, kLabelIdBase);
                EXPECT_LT(r.labelId, kGroupIdBase);
            }
        }
    for (const MenuItem& m : MenuItems()) EXPECT_EQ(FindControl(m.id), nullptr) << m.id;
    EXPECT_EQ(FindControl(kMainStatusStrip), nullptr);
}

TEST(ControlModel, ListsKeepTheSelectionOnItsItemAndSpinsTheirPositionInRange) {
    ControlModel m;
    m.SetSelection(1174, 2);  // "42.5MHz"
    m.SetItemValue(1174, 2, 7);
    m.InsertItem(1174, 0, "X");
    EXPECT_EQ(m.Selection(1174), 3);
    EXPECT_EQ(m.ItemValue(1174, 3), 7);
    EXPECT_EQ(m.GetText(1174), "42.5MHz");
    m.RemoveItem(1174, 3);
    m.RemoveItem(1174, 0);
    EXPECT_EQ(m.Selection(1174), -1);
    EXPECT_EQ(m.ItemCount(1174), 3);
    EXPECT_EQ(m.FindItem(1174, "31.875MHz"), 2);
    m.SetSelection(1174, 9);
    EXPECT_EQ(m.Selection(1174), -1);

    m.SetSpinRange(1188, 10, 20);
    m.SetSpinPos(1188, 99);
    EXPECT_EQ(m.GetSpinPos(1188), 20);
    m.SetSpinRange(1188, 30, 25);  // upside down
    EXPECT_EQ(m.GetSpinPos(1188), 25);
    EXPECT_FALSE(m.Exists(1124));  // layout 116 only: unknown ids are inert
    m.SetText(1124, "x");
    EXPECT_EQ(m.GetText(1124), "");
    EXPECT_EQ(m.Selection(1124), -1);
    EXPECT_FALSE(m.IsShown(1124));
}

// What only a read of the screen meets (showing in edits, spins and coded lists is the control-event tests').
TEST(ValueDisplay, ReadsAndShowsByControlKind) {
    test::FakePlatform platform;
    protocol::ParameterTable table(platform);
    ControlModel m;
    ApplyComboCodes(m);
    ValueDisplay d(m, table);
    d.ShowValue(1342, 29);
    EXPECT_EQ(m.GetText(1342), "EncoderTriger");
    EXPECT_EQ(d.ReadValue(1342), 29);
    d.ShowValue(1098, 20);
    EXPECT_EQ(m.GetText(1098), "Line4 TTL In1");
    // No item with that code: the item at that index.
    d.ShowValue(1101, 5);
    EXPECT_EQ(m.Selection(1101), 5);
    d.ShowValue(1099, 2);
    EXPECT_EQ(d.ReadValue(1099), 2);
    m.SetSelection(1099, -1);
    EXPECT_EQ(d.ReadValue(1099), -1);
    // Edits read their leading number; a spin takes only a number within its range from its buddy.
    m.SetText(1225, "  -12abc");
    EXPECT_EQ(d.ReadValue(1225), -12);
    m.SetText(1225, "abc");
    EXPECT_EQ(d.ReadValue(1225), 0);
    m.SetSpinRange(1226, 8, 4096);
    m.SetText(1225, "100");
    EXPECT_EQ(d.SpinPosition(1226), 100);
    for (const char* bad : {"5000", "7", "12x", "", "99999999999"}) {
        m.SetText(1225, bad);
        EXPECT_EQ(d.SpinPosition(1226), 100) << bad;
    }
    // A control on no page reads as 0xFFFFFFFF; showing in it does nothing.
    EXPECT_EQ(d.ReadValue(1124), -1);
    d.ShowValue(1124, 3);
    EXPECT_EQ(d.ReadValue(1222), -1);  // a button holds no value
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
    EXPECT_TRUE(m.IsShown(1217) && m.IsShown(1294));
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
        m.SetSelection(1092, e);
        m.SetSelection(1224, t);
        ApplyExposureEnabling(m);
        EXPECT_EQ(m.IsEnabled(1093), common) << e << t;
        EXPECT_EQ(m.IsEnabled(1294) && m.IsEnabled(1296) && m.IsEnabled(1298), perColour) << e << t;
    }
    for (int trigger : {0, 1}) {
        m.SetSelection(1096, trigger);
        ApplyTriggerModeEnabling(m);
        EXPECT_EQ(m.IsEnabled(1186), trigger == 1);
    }
    for (int u : {0, 1, 2}) {
        m.SetSelection(1116, u);
        EXPECT_EQ(ApplyLutModeEnabling(m), u != 2);
        EXPECT_EQ(m.IsEnabled(1132), u == 2);
        EXPECT_EQ(m.IsShown(1117) && m.IsShown(1118) && m.IsShown(1141), u == 1);
    }
    for (int sel : {0, 1, 2, 4}) {
        m.SetSelection(1192, sel);
        m.SetSelection(1184, 4 - sel);
        ApplyCorrectionButtonsEnabling(m);
        EXPECT_EQ(m.IsEnabled(1193), sel >= 2);
        EXPECT_EQ(m.IsEnabled(1183), 4 - sel >= 2);
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
