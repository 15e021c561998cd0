// The page inventory's own index (ids, spins and their buddies, list items, captions) and the
// headless control model's lists and spins.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "protocol/ParameterTable.h"
#include "ui/ControlModel.h"
#include "ui/main/MenuTable.h"
#include "ui/main/PageInventory.h"

using namespace vr;
using namespace vr::ui;

// Where each parameter control stands is compared with the golden data by test_tables; here the
// inventory's own index: ids, spins and their buddies, list items, captions.
TEST(PageInventory, IdsAreUniqueAndSpinsFollowTheirRule) {
    std::set<uint32_t> ids;
    for (const PageControl& c : PageControls()) EXPECT_TRUE(ids.insert(c.id).second) << c.id;
    std::set<uint32_t> spins;
    for (const PageControl& c : PageControls()) {
        if (c.spinId == 0) continue;
        EXPECT_EQ(ids.count(c.spinId), 0u) << "spin " << c.spinId << " collides with a control";
        EXPECT_TRUE(spins.insert(c.spinId).second) << c.spinId;
        const std::map<uint32_t, uint32_t> chosen = {{1041, 1045}, {1696, 1562}, {1702, 1564}, {1703, 1585}};
        auto it = chosen.find(c.id);
        EXPECT_EQ(c.spinId, it == chosen.end() ? c.id + 1 : it->second) << c.id;
        EXPECT_EQ(BuddyOf(c.spinId), c.id);
        EXPECT_EQ(SpinOf(c.id), c.type == CtrlType::Edit ? c.spinId : 0u) << c.id;
    }
    // Every list on a page has its items, and a control that is no list has none.
    for (const PageControl& c : PageControls())
        EXPECT_EQ(TemplateItems(c.id).empty(), c.type != CtrlType::Combo) << c.id;
    // Captions' ids stay clear of controls, spins, menus and the main window's own controls.
    for (const PageLayout& page : PageLayouts())
        for (const GroupLayout& g : page.groups) {
            if (g.groupId != 0) {
                EXPECT_GE(g.groupId, kGroupIdBase);
            }
            for (const RowLayout& r : g.rows) {
                if (r.labelId == 0 || r.labelId == 1141) continue;
                EXPECT_GE(r.labelId, kLabelIdBase);
                EXPECT_LT(r.labelId, kGroupIdBase);
            }
        }
    for (const MenuItem& m : MenuItems()) EXPECT_EQ(FindControl(m.id), nullptr) << m.id;
    EXPECT_EQ(FindControl(kMainStatusStrip), nullptr);
}

// The interface's own insert and delete (used by implementations that have only the basic list
// operations) behave like the model's.
TEST(ControlModel, ListEditsKeepTheSelectionOnItsItem) {
    ControlModel a;
    ControlModel b;
    for (ControlModel* m : {&a, &b}) {
        m->SetCurSel(1174, 2);  // "42.5MHz"
        m->SetItemData(1174, 2, 7);
    }
    a.InsertString(1174, 0, "X");
    b.IControlAccess::InsertString(1174, 0, "X");
    for (ControlModel* m : {&a, &b}) {
        EXPECT_EQ(m->GetCurSel(1174), 3);
        EXPECT_EQ(m->GetItemData(1174, 3), 7);
        EXPECT_EQ(m->GetText(1174), "42.5MHz");
    }
    a.DeleteString(1174, 3);
    b.IControlAccess::DeleteString(1174, 3);
    a.DeleteString(1174, 0);
    b.IControlAccess::DeleteString(1174, 0);
    for (ControlModel* m : {&a, &b}) {
        EXPECT_EQ(m->GetCurSel(1174), -1);
        EXPECT_EQ(m->GetCount(1174), 3);
        EXPECT_EQ(m->FindStringExact(1174, "31.875MHz"), 2);
        m->SetCurSel(1174, 9);
        EXPECT_EQ(m->GetCurSel(1174), -1);
    }
}

TEST(ControlModel, SpinsKeepTheirPositionInRangeAndUnknownIdsAreInert) {
    ControlModel m;
    m.SetSpinRange(1188, 10, 20);
    m.SetSpinPos(1188, 99);
    EXPECT_EQ(m.GetSpinPos(1188), 20);
    m.SetSpinRange(1188, 30, 25);  // upside down
    EXPECT_EQ(m.GetSpinPos(1188), 25);
    EXPECT_FALSE(m.Exists(1124));  // layout 116 only
    m.SetText(1124, "x");
    EXPECT_EQ(m.GetText(1124), "");
    EXPECT_EQ(m.GetCurSel(1124), -1);
    EXPECT_FALSE(m.IsShown(1124));
}
