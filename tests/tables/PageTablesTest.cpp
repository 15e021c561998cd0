// The menu, the tab pages and where each parameter control stands, against tests/golden.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

#include "GoldenFile.h"
#include "ui/main/MenuTable.h"
#include "ui/main/PageInventory.h"

using namespace vr::ui;
using namespace vr::test;

namespace {

constexpr uint32_t kLayoutNotAPage = 116;

// The golden files' names of the enumerations, in their order.
std::string ActionName(MenuAction action) {
    static const char* const kNames[] = {
        "OpenSettingsFile", "SaveAllData",  "SaveShippingData", "CompareWithFile", "Exit",
        "Reload",           "LoadSettings", "StoreSettings",    "EditUserId",      "EditCameraId",
        "OpenLutFile",      "SaveLutFile",  "LoadAllLutTables", "About",           "OpenCommunicationDialog",
        "OpenTerminal"};
    const auto i = static_cast<size_t>(action);
    return i < std::size(kNames) ? kNames[i] : "action " + std::to_string(i);
}

// A top-level caption without its access key: "File(&F)" and "&File" are both "File".
std::string WithoutAccessKey(std::string caption) {
    const size_t paren = caption.find("(&");
    if (paren != std::string::npos) caption.erase(paren);
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    return caption;
}

std::string TypeName(CtrlType type) {
    static const char* const kNames[] = {"None", "Edit", "Spin", "Combo", "Button", "Static", "Label", "Group"};
    const auto i = static_cast<size_t>(type);
    return i < std::size(kNames) ? kNames[i] : "type " + std::to_string(i);
}

}  // namespace

TEST(GoldenTables, MenuItems) {
    GoldenFile golden("menu_items.tsv");
    std::vector<std::string> menus;  // top-level menus in order of first use
    const auto items = MenuItems();
    ASSERT_EQ(items.size(), golden.Records().size());
    for (size_t i = 0; i < items.size(); ++i) {
        const auto& r = golden.Records()[i];
        if (std::find(menus.begin(), menus.end(), r.Text("menu")) == menus.end()) menus.push_back(r.Text("menu"));
        const auto position = std::find(menus.begin(), menus.end(), r.Text("menu")) - menus.begin();
        ExpectFields(r, {{"id", items[i].id}, {"submenu", items[i].submenu}, {"caption", items[i].caption}});
        ExpectField(r, "menu position", position, items[i].menuPosition);
        ExpectField(r, "action", r.Text("action"), ActionName(items[i].action));
        ExpectField(r, "factory only", r.Text("factory only") == "yes", items[i].factoryOnly);
        EXPECT_EQ(FindMenuItem(static_cast<uint32_t>(r.Int("id"))), &items[i]) << r.Where() << ": FindMenuItem";
    }
    ASSERT_EQ(MenuCaptions().size(), menus.size());
    for (size_t i = 0; i < menus.size(); ++i)
        EXPECT_EQ(WithoutAccessKey(MenuCaptions()[i]), menus[i]) << "top-level menu " << i;
    EXPECT_EQ(WithoutAccessKey(MenuCaptions()[kUtilityMenuPosition]), "Utility");
}

TEST(GoldenTables, Pages) {
    GoldenFile golden("pages.tsv");
    ASSERT_EQ(Pages().size(), golden.Records().size());
    for (const auto& r : golden.Records()) {
        const PageInfo& page = Pages()[static_cast<size_t>(r.Int("index"))];
        ExpectFields(r, {{"index", page.index}, {"title", page.title}, {"template", page.templateId}});
        ExpectFields(r, {{"factory_only", YesNo(page.factoryOnly)}});
    }

    GoldenFile groups("page_groups.tsv");
    std::map<int64_t, std::multiset<std::string>> goldenGroups, codeGroups;
    for (const auto& r : groups.Records()) goldenGroups[r.Int("page")].insert(r.Text("group"));
    for (const PageLayout& layout : PageLayouts())
        for (const GroupLayout& group : layout.groups)
            if (group.groupId != 0) codeGroups[layout.page.templateId].insert(group.caption);
    for (const PageInfo& page : Pages())
        EXPECT_EQ(goldenGroups[page.templateId], codeGroups[page.templateId]) << "groups of page " << page.templateId;
}

TEST(GoldenTables, PageButtons) {
    GoldenFile golden("page_buttons.tsv");
    for (const auto& r : golden.Records()) {
        const PageControl* c = FindControl(static_cast<uint32_t>(r.Int("ctrl")));
        if (c == nullptr) {
            ADD_FAILURE() << r.Where() << ": not a page control";
            continue;
        }
        ExpectField(r, "type", "Button", TypeName(c->type));
        ExpectFields(r, {{"page", c->page}, {"caption", c->text}});
    }
}

// Each parameter control stands on its layout's page, group and row, as its kind; off-page ones nowhere.
TEST(GoldenTables, ParameterControlsOnPages) {
    GoldenFile golden("parameters.tsv");
    for (const auto& r : golden.Records()) {
        const PageControl* c = FindControl(static_cast<uint32_t>(r.Int("ctrl")));
        if ((c == nullptr) != (r.Int("layout") == kLayoutNotAPage))
            r.Fail("on " + (c ? "page " + std::to_string(c->page) : "no page") + ", golden: layout " +
                   r.Text("layout"));
        if (c == nullptr || r.Int("layout") == kLayoutNotAPage) continue;
        ExpectField(r, "page", r.Int("layout"), c->page);
        const std::string& kind = r.Text("kind");
        const std::string expectedType = kind == "SpinEdit" ? "Edit" : kind;
        ExpectField(r, "control type", expectedType, TypeName(c->type));
        if (kind == "SpinEdit" && c->spinId == 0) ADD_FAILURE() << r.Where() << ": an edit without its spin";
        if (!r.Text("group").empty()) {
            ExpectFields(r, {{"group", c->group}, {"label", c->label}});
        } else {
            // A single caption: the control's group, its row's label or, for a button, its own text.
            const std::string& caption = r.Text("label");
            EXPECT_TRUE(caption == c->group || caption == c->label || caption == c->text)
                << r.Where() << ": caption: golden \"" << caption << "\", code group \"" << c->group << "\", label \""
                << c->label << "\", text \"" << c->text << "\"";
        }
    }
}
