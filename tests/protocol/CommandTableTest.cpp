#include <gtest/gtest.h>

#include <set>

#include "protocol/Command.h"
#include "protocol/CommandTable.h"

using namespace vr::protocol;

TEST(CommandTable, IdsArePositionsAndMnemonicsAreWellFormed) {
    const CommandTableEntry* t = CommandTable();
    std::set<std::string> seen;
    for (uint32_t i = 0; i < kCommandCount; ++i) {
        EXPECT_EQ(t[i].id, i);
        if (i == 322) {
            EXPECT_EQ(t[i].mnemonic, "");
            continue;
        }
        const std::string& m = t[i].mnemonic;
        EXPECT_GE(m.size(), 2u) << i;
        EXPECT_LE(m.size(), 8u) << i;
        for (char c : m) EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) << m;
        EXPECT_TRUE(seen.insert(m).second) << "duplicate mnemonic " << m;
    }
    EXPECT_EQ(GetCommandName(0), "EB");
    EXPECT_EQ(GetCommandName(445), "PBC00");
}

// Each family's naming rule against its first, last and some middle members as the camera lists them.
TEST(CommandTable, FamiliesFollowTheirNamingRules) {
    const std::pair<uint32_t, const char*> pinned[] = {
        {81, "FFB"},       {82, "FFLRR"},    {86, "FFCRG"},     {90, "FFRRB"},     {91, "MFR"},       {104, "TMPS0"},
        {105, "LS0"},      {120, "ND1INV2"}, {123, "CTRM"},     {124, "CMVRR"},    {128, "CMVGG"},    {132, "CMVBB"},
        {144, "CACM"},     {145, "CACSM0"},  {148, "CACSM3"},   {149, "CACR0"},    {156, "CACB3"},    {157, "CACRR0"},
        {164, "CACRB3"},   {165, "CACMT0"},  {168, "CACMT3"},   {169, "CACR0R0"},  {178, "CACR1R0"},  {204, "CACR3R8"},
        {205, "CACR0B0"},  {240, "CACR3B8"}, {241, "CACRR0R1"}, {249, "CACRR1R1"}, {272, "CACRR3R8"}, {273, "CACRR0B1"},
        {304, "CACRR3B8"}, {305, "CACC0R"},  {308, "CACC3R"},   {309, "CACC0B"},   {312, "CACC3B"},   {313, "CACRC0R"},
        {316, "CACRC3R"},  {317, "CACRC0B"}, {320, "CACRC3B"},  {321, "CACS"},     {323, "SPCM"},     {327, "SPCD16"},
        {328, "PGL0"},     {335, "PGSM0"},   {336, "PGL1"},     {347, "PGRPT2"},   {359, "PGSM3"},    {360, "PGDEV"},
        {365, "USC3"},     {366, "CE0"},     {367, "CEA0"},     {370, "CS0"},      {371, "CE1"},      {385, "CS3"},
        {386, "LD"},       {388, "EA"},      {394, "BAS00"},    {421, "OBBB"},     {434, "NRL"},      {441, "XMLVR"},
    };
    for (const auto& [id, name] : pinned) EXPECT_EQ(GetCommandName(id), name) << id;
}

TEST(CommandTable, FindCommandMatchesWholeCaseSensitiveMnemonics) {
    EXPECT_EQ(FindCommand("GA"), 47);
    EXPECT_EQ(FindCommand("GA00"), 443);
    EXPECT_EQ(FindCommand("ga"), -1);
    EXPECT_EQ(FindCommand("G"), -1);
    EXPECT_EQ(FindCommand("GAX"), -1);
    EXPECT_EQ(FindCommand(""), 322);
    for (uint32_t i = 0; i < kCommandCount; ++i) EXPECT_EQ(FindCommand(GetCommandName(i)), static_cast<int32_t>(i));
}

TEST(CommandTable, ExactlyTheTenIdentityCommandsAreText) {
    const std::set<uint32_t> text = {3, 4, 5, 6, 7, 8, 9, 392, 393, 442};
    for (uint32_t i = 0; i < kCommandCount; ++i)
        EXPECT_EQ(GetValueKind(i), text.count(i) ? ValueKind::Text : ValueKind::Integer) << GetCommandName(i);
}
