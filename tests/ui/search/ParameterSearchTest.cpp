// The parameter search: which parameters a query finds and in which order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/search/ParameterSearch.h"

using namespace vr;

namespace {

std::vector<uint32_t> Ids(const std::vector<ui::SearchMatch>& matches) {
    std::vector<uint32_t> ids;
    for (const auto& m : matches) ids.push_back(m.entry->ctrlId);
    return ids;
}

TEST(ParameterSearchTest, RanksExactCommandsFirstThenCaptionWordStarts) {
    const std::vector<ui::SearchEntry> entries = {
        {1300, "Againcontrol", "XX", 0, "User A", ""},
        {1100, "Analog Base Gain All", "SGA", 5, "Factory A", "Factory Gain"},
        {1042, "Gain Red", "GAR", 0, "User A", "Gain and Black"},
        {1041, "Gain All", "GA", 0, "User A", "Gain and Black"},
        {1234, "Red", "BLR", 0, "User A", "Black Level"},
        {1093, "Exposure Time", "PE", 0, "User A", "Exposure"},
        {1294, "Exposure Time R", "PER", 0, "User A", "Exposure"},
    };
    std::vector<const ui::SearchEntry*> all;
    for (const auto& e : entries) all.push_back(&e);
    // A query and the ids of the parameters it finds, in order.
    for (const auto& [query, ids] : std::vector<std::pair<const char*, std::vector<uint32_t>>>{
             {"gain", {1042, 1041, 1100, 1300}},  // caption starts, then a word start, then inside a word
             {"GA", {1041, 1042, 1100, 1300}},    // the exact command before everything else
             {"gar", {1042}},
             {"  Gain   ALL ", {1041, 1100}},  // blanks and case do not matter
             {"1041", {1041}},                 // a control id
             {"104", {1042, 1041}},
             {"time r", {1294}},           // every word begins a caption word
             {"black red", {1042, 1234}},  // the group's words count too
             {"pe", {1093, 1294}},         // exact command, then a command that begins with it
             {"", {}},
             {"   ", {}},
             {"zoom", {}},
         })
        EXPECT_EQ(Ids(ui::FindParameters(query, all)), ids) << '"' << query << '"';
    EXPECT_EQ(ui::FindParameters("gain", all, 2).size(), 2u);
}

TEST(ParameterSearchTest, FindsTheToolsOwnParametersWithTheirPageAndGroup) {
    std::vector<const ui::SearchEntry*> all;
    for (const auto& e : ui::SearchableParameters()) all.push_back(&e);
    // Rows of the two templates that are no page are not offered: nobody could go there.
    for (const auto* e : all) {
        EXPECT_NE(e->page, "") << e->ctrlId;
        EXPECT_NE(e->ctrlId, 1124u) << "Baud Rate stands on no page";
    }
    const auto ga = ui::FindParameters("ga", all);
    ASSERT_FALSE(ga.empty());
    EXPECT_EQ(ga[0].entry->ctrlId, 1041u);
    EXPECT_EQ(ga[0].rank, ui::MatchRank::ExactMnemonic);

    // Captions that begin with the word come first. A match's caption, page and group as the window
    // shows them, and the way to its control, are the Qt test's (tests/desk_gui).
    const auto gain = ui::FindParameters("gain", all);
    ASSERT_GE(gain.size(), 2u);
    EXPECT_EQ(gain[0].entry->caption, "Gain Auto");
    for (size_t i = 1; i < gain.size(); ++i) EXPECT_LE(gain[i - 1].rank, gain[i].rank);
}

}  // namespace
