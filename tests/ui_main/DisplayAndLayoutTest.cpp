// The main window's building blocks on their own: value display, wait notice, model layouts,
// enabling rules and the keyboard.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "protocol/ParameterTable.h"
#include "settings/ModelCommands.h"
#include "ui/ControlModel.h"
#include "ui/main/ComboCodes.h"
#include "ui/main/EnablingRules.h"
#include "ui/main/Keyboard.h"
#include "ui/main/ModelLayout.h"
#include "ui/main/ValueDisplay.h"
#include "ui/main/WaitNotice.h"

using namespace vr;
using namespace vr::ui;

TEST(ValueDisplay, ReadsAndShowsByControlKind) {
    test::FakePlatform platform;
    protocol::ParameterTable table(platform);
    ControlModel m;
    ApplyComboCodes(m);
    ValueDisplay d(m, table);
    // Coded lists: the code goes out, a code read back selects its item.
    d.ShowValue(1101, 30);
    EXPECT_EQ(m.GetText(1101), "EncoderDirection");
    EXPECT_EQ(d.ReadValue(1101), 30);
    d.ShowValue(1342, 29);
    EXPECT_EQ(m.GetText(1342), "EncoderTriger");
    d.ShowValue(1098, 20);
    EXPECT_EQ(m.GetText(1098), "Line4 TTL In1");
    // No item with that code: the item at that index.
    d.ShowValue(1101, 5);
    EXPECT_EQ(m.GetCurSel(1101), 5);
    d.ShowValue(1099, 2);
    EXPECT_EQ(d.ReadValue(1099), 2);
    m.SetCurSel(1099, -1);
    EXPECT_EQ(d.ReadValue(1099), -1);
    // Edits read their leading number; showing sets the text and the spin.
    m.SetSpinRange(1226, 8, 4096);
    d.ShowValue(1225, 2048);
    EXPECT_EQ(m.GetText(1225), "2048");
    EXPECT_EQ(m.GetSpinPos(1226), 2048);
    m.SetText(1225, "  -12abc");
    EXPECT_EQ(d.ReadValue(1225), -12);
    m.SetText(1225, "abc");
    EXPECT_EQ(d.ReadValue(1225), 0);
    // A spin takes a number within its range from its buddy, else keeps its position.
    m.SetText(1225, "100");
    EXPECT_EQ(d.SpinPosition(1226), 100);
    for (const char* bad : {"5000", "7", "12x", "", "99999999999"}) {
        m.SetText(1225, bad);
        EXPECT_EQ(d.SpinPosition(1226), 100) << bad;
    }
    d.ShowValue(1226, 300);
    EXPECT_EQ(m.GetText(1225), "300");
    // A control on no page reads as 0xFFFFFFFF; showing in it does nothing.
    EXPECT_EQ(d.ReadValue(1124), -1);
    d.ShowValue(1124, 3);
    EXPECT_EQ(d.ReadValue(1222), -1);  // a button holds no value
    EXPECT_EQ(ValueDisplay::FormatLineFrequency(0), "-") << "no period, no frequency";
}

TEST(WaitNotice, CountsTheSecondsBegunOfTheTimeOut) {
    struct Case {
        int waitedMs, timeoutMs;
        const char* text;
    };
    for (const Case& c : {Case{600, 20000, "Waiting for the camera (BA=1), 1 of 20 s"},
                          Case{2001, 20000, "Waiting for the camera (BA=1), 3 of 20 s"},
                          Case{25000, 20000, "Waiting for the camera (BA=1), 20 of 20 s"},
                          Case{700, 1500, "Waiting for the camera (BA=1), 1 of 2 s"}})
        EXPECT_EQ(
            WaitNotice::Format("BA=1", std::chrono::milliseconds(c.waitedMs), std::chrono::milliseconds(c.timeoutMs)),
            c.text);
}

// Which controls are whose, and the lists by model, are compared with the golden data by
// test_tables; here that a layout hides the other model's controls, shows its own again and names
// the model.
TEST(ModelLayout, ShowsOnlyTheModelsOwnControls) {
    ControlModel m;
    ApplyModelLayout(m, settings::kModelUnknown);
    EXPECT_EQ(m.GetCurSel(1142), -1);
    EXPECT_TRUE(m.IsShown(1217) && m.IsShown(1294));
    for (uint32_t kind : {settings::kModelKB, settings::kModelKA, settings::kModelKB}) {
        const bool kb = kind == settings::kModelKB;
        SCOPED_TRACE(kb ? "KB" : "KA");
        ApplyModelLayout(m, kind);
        EXPECT_EQ(m.GetText(1142), kb ? "VR-8200-KB" : "VR-8200-KA");
        for (uint32_t id : ControlsOnlyOnKB()) EXPECT_TRUE(!m.Exists(id) || m.IsShown(id) == kb) << id;
        for (uint32_t id : ControlsOnlyOnKA()) EXPECT_TRUE(!m.Exists(id) || m.IsShown(id) == !kb) << id;
    }
}

// A caption goes with its controls: a group box whose controls are all hidden, and a row label
// whose controls are, are hidden; those with one visible control stay. A group box that holds no
// control at all stands on both models.
TEST(ModelLayout, CaptionsFollowTheirControls) {
    ControlModel m;
    auto groupOf = [](const char* caption) {
        for (const PageLayout& p : PageLayouts())
            for (const GroupLayout& g : p.groups)
                if (g.caption == caption) return g;
        return GroupLayout{};
    };
    ApplyModelLayout(m, settings::kModelKB);
    EXPECT_FALSE(m.IsShown(groupOf("Factory Gain Type A").groupId));
    EXPECT_FALSE(m.IsShown(groupOf("Sub Pixel Shift").groupId));
    EXPECT_TRUE(m.IsShown(groupOf("Exposure").groupId));
    const GroupLayout exposure = groupOf("Exposure");
    for (const RowLayout& r : exposure.rows) {
        const bool perColour = r.label == "Exposure Time R" || r.label == "Exposure Time G" ||
                               r.label == "Exposure Time B" || r.label == "RB Exp Interlocked";
        EXPECT_EQ(m.IsShown(r.labelId), !perColour) << r.label;
    }
    ApplyModelLayout(m, settings::kModelKA);
    EXPECT_TRUE(m.IsShown(groupOf("Factory Gain Type A").groupId));
    EXPECT_FALSE(m.IsShown(groupOf("Factory Gain").groupId));
    EXPECT_FALSE(m.IsShown(groupOf("Object Direction").groupId));
    EXPECT_TRUE(m.IsShown(groupOf("Others").groupId));
    const uint32_t tilted = groupOf("Tilted View Correction").groupId;
    ASSERT_NE(tilted, 0u);
    for (uint32_t kind : {settings::kModelKB, settings::kModelKA}) {
        ApplyModelLayout(m, kind);
        EXPECT_TRUE(m.IsShown(tilted)) << kind;
    }
}

TEST(EnablingRules, FollowTheSelections) {
    ControlModel m;
    struct Exposure {
        int e, t;
        bool common, perColour;
    };
    for (const Exposure& x : {Exposure{0, 0, false, false}, Exposure{1, 0, true, false}, Exposure{1, 1, false, true},
                              Exposure{2, 1, false, false}}) {
        m.SetCurSel(1092, x.e);
        m.SetCurSel(1224, x.t);
        ApplyExposureEnabling(m);
        EXPECT_EQ(m.IsEnabled(1093), x.common) << x.e << x.t;
        EXPECT_EQ(m.IsEnabled(1294) && m.IsEnabled(1296) && m.IsEnabled(1298), x.perColour) << x.e << x.t;
    }
    m.SetCurSel(1096, 0);
    ApplyTriggerModeEnabling(m);
    EXPECT_FALSE(m.IsEnabled(1186));
    m.SetCurSel(1096, 1);
    ApplyTriggerModeEnabling(m);
    EXPECT_TRUE(m.IsEnabled(1186));

    for (int u : {0, 1, 2}) {
        m.SetCurSel(1116, u);
        EXPECT_EQ(ApplyLutModeEnabling(m), u != 2);
        EXPECT_EQ(m.IsEnabled(1132), u == 2);
        EXPECT_EQ(m.IsShown(1117) && m.IsShown(1118) && m.IsShown(1141), u == 1);
    }
    for (int sel : {0, 1, 2, 4}) {
        m.SetCurSel(1192, sel);
        m.SetCurSel(1184, 4 - sel);
        ApplyCorrectionButtonsEnabling(m);
        EXPECT_EQ(m.IsEnabled(1193), sel >= 2);
        EXPECT_EQ(m.IsEnabled(1183), 4 - sel >= 2);
    }
    // The gain modes themselves are the main window's test; a mode the camera did not give changes nothing.
    EXPECT_FALSE(ApplyIndividualGainEnabling(m, -1));
}

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
    EXPECT_EQ(s.Feed(code[0], false, false), Step::Advanced);
    EXPECT_EQ(s.Feed(code[1], false, false), Step::Advanced);
    EXPECT_EQ(s.Feed(code[2], false, false), Step::Complete);
    EXPECT_FALSE(s.Armed());
}

TEST(Keyboard, EnterAndEscapeByFocusedControl) {
    struct Case {
        int vk;
        FocusKind focus;
        bool dropped;
        int out;
        bool apply;
    };
    const Case cases[] = {
        {kVkReturn, FocusKind::Edit, false, kVkF12, true},
        {kVkReturn, FocusKind::Combo, true, kVkReturn, false},
        {kVkReturn, FocusKind::Combo, false, kVkF12, false},
        {kVkReturn, FocusKind::Button, false, kVkF12, false},
        {kVkReturn, FocusKind::Other, false, kVkReturn, false},
        {kVkEscape, FocusKind::Edit, false, kVkF12, false},
        {kVkEscape, FocusKind::Button, false, kVkF12, false},
        {kVkEscape, FocusKind::Combo, true, kVkReturn, false},
        {kVkEscape, FocusKind::Combo, false, kVkF12, false},
        {kVkEscape, FocusKind::Other, false, kVkEscape, false},
        {'A', FocusKind::Edit, false, 'A', false},
    };
    for (const Case& c : cases) {
        const KeyTranslation t = TranslateKey(c.vk, c.focus, c.dropped);
        EXPECT_EQ(t.vk, c.out) << c.vk << " " << static_cast<int>(c.focus) << c.dropped;
        EXPECT_EQ(t.applyEdit, c.apply);
    }
}
