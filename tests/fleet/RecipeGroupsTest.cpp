// The groups a recipe or a check is narrowed to: every setting a file carries has its page's group,
// and identity, factory rows and calibration results stay out unless named.

#include <gtest/gtest.h>

#include "fleet/RecipeGroups.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

namespace vr {
namespace {

using Names = std::vector<std::string>;

// A setting without a group could be neither chosen with --only nor left out with --except.
TEST(RecipeGroups, EverySettingAFileCarriesHasAGroupOfItsPage) {
    const protocol::ParameterDef* defs = protocol::ParameterDefs();
    for (size_t i = 0; i < protocol::kParameterRowCount; ++i) {
        if (!defs[i].inSettingsFile) continue;
        const std::string name = protocol::GetCommandName(defs[i].cmdId);
        if (name.empty()) continue;  // an editor's row, written under no name
        const Names groups = fleet::GroupsOf(name);
        const bool boxed = std::any_of(groups.begin(), groups.end(), [](const std::string& g) {
            return g != fleet::kFactoryGroup && g != fleet::kCalibrationGroup;
        });
        EXPECT_TRUE(boxed) << name << " has no group box";
    }
    EXPECT_EQ(fleet::GroupsOf("MD00"), Names{fleet::kIdentityGroup});
    EXPECT_EQ(fleet::GroupsOf("GAR"), (Names{"gain-and-black", fleet::kCalibrationGroup}));
    EXPECT_EQ(fleet::GroupsOf("GAOR"), (Names{"factory-gain", fleet::kFactoryGroup}));
    EXPECT_EQ(fleet::GroupsOf("LR"), Names{"line-rate"});
    EXPECT_TRUE(fleet::GroupsOf("CBDRT").empty()) << "no settings file carries the line rate";
}

TEST(RecipeGroups, OnlyAndExceptNarrowWhatIsTaken) {
    struct Case {
        Names only, except;
        Names taken, left;
    };
    const Case cases[] = {
        {{}, {}, {"GA", "TM", "LR", "CACS"}, {"MD00", "GAOR", "WB0R", "GAR", "GAB", "PER", "CBDRT", "XX"}},
        {{"gain-and-black"}, {}, {"GA", "BL", "AGCF"}, {"GAR", "TM", "MD00"}},
        {{"gain-and-black", "calibration"}, {}, {"GA", "GAR", "PER"}, {"TM", "GAOR"}},
        {{"factory"}, {}, {"GAOR", "NRL", "CACRJ"}, {"GA", "MD00"}},
        {{"identity"}, {}, {"MD00"}, {"GA"}},
        {{}, {"trigger", "exposure"}, {"GA", "LR"}, {"TM", "TI", "PE", "GAR"}},
        {{"gain-and-black"}, {"gain-and-black"}, {}, {"GA"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.only) + " except " + testing::PrintToString(c.except));
        fleet::GroupSelection selection;
        std::string why;
        ASSERT_TRUE(fleet::GroupSelection::Make(c.only, c.except, selection, why)) << why;
        for (const auto& name : c.taken) EXPECT_TRUE(selection.Takes(name)) << name;
        for (const auto& name : c.left) EXPECT_FALSE(selection.Takes(name)) << name;
    }
    fleet::GroupSelection selection;
    std::string why;
    EXPECT_FALSE(fleet::GroupSelection::Make({"gain"}, {}, selection, why));
    EXPECT_EQ(why, "no group is named \"gain\"");
}

}  // namespace
}  // namespace vr
