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
// Every id the tool and the virtual camera name in code stands at its mnemonic (a family by its first member).
TEST(CommandTable, NamedIdsStandAtTheirMnemonics) {
    const std::pair<uint32_t, const char*> named[] = {
        {cmd::EB, "EB"},
        {cmd::ST, "ST"},
        {cmd::HP, "HP"},
        {cmd::VN, "VN"},
        {cmd::FPVN, "FPVN"},
        {cmd::ID, "ID"},
        {cmd::UD, "UD"},
        {cmd::DVN, "DVN"},
        {cmd::MD, "MD"},
        {cmd::DV, "DV"},
        {cmd::SBDRT, "SBDRT"},
        {cmd::CBDRT, "CBDRT"},
        {cmd::CRS00, "CRS00"},
        {cmd::EI, "EI"},
        {cmd::ETM, "ETM"},
        {cmd::PE, "PE"},
        {cmd::PER, "PER"},
        {cmd::PEG, "PEG"},
        {cmd::PEB, "PEB"},
        {cmd::LR, "LR"},
        {cmd::LRMIN, "LRMIN"},
        {cmd::PEMAX, "PEMAX"},
        {cmd::PEMIN, "PEMIN"},
        {cmd::LROP, "LROP"},
        {cmd::WTC, "WTC"},
        {cmd::OFC, "OFC"},
        {cmd::HB, "HB"},
        {cmd::BA, "BA"},
        {cmd::CLCFG, "CLCFG"},
        {cmd::CLCF, "CLCF"},
        {cmd::GM, "GM"},
        {cmd::AGC, "AGC"},
        {cmd::AGCF, "AGCF"},
        {cmd::AGCFV, "AGCFV"},
        {cmd::AGCFV8, "AGCFV8"},
        {cmd::AGCS, "AGCS"},
        {cmd::GA, "GA"},
        {cmd::GAR, "GAR"},
        {cmd::GAB, "GAB"},
        {cmd::GAG, "GAG"},
        {cmd::AWB, "AWB"},
        {cmd::AWBW, "AWBW"},
        {cmd::AWBO, "AWBO"},
        {cmd::AWRS, "AWRS"},
        {cmd::AHRS, "AHRS"},
        {cmd::AS, "AS"},
        {cmd::SDM, "SDM"},
        {cmd::RS, "RS"},
        {cmd::SDRS, "SDRS"},
        {cmd::SDDS, "SDDS"},
        {cmd::SDDI, "SDDI"},
        {cmd::SDD, "SDD"},
        {cmd::SDDU, "SDDU"},
        {cmd::SDDA, "SDDA"},
        {cmd::PGR, "PGR"},
        {cmd::PGS, "PGS"},
        {cmd::PBR, "PBR"},
        {cmd::PBS, "PBS"},
        {cmd::LUTIG, "LUTIG"},
        {cmd::LUTIR, "LUTIR"},
        {cmd::LUTIB, "LUTIB"},
        {cmd::LUTG, "LUTG"},
        {cmd::LUTR, "LUTR"},
        {cmd::LUTB, "LUTB"},
        {cmd::GMA, "GMA"},
        {cmd::TMP0, "TMP0"},
        {cmd::STP, "STP"},
        {cmd::CACM, "CACM"},
        {cmd::CACS, "CACS"},
        {cmd::LD, "LD"},
        {cmd::SA, "SA"},
        {cmd::EA, "EA"},
        {cmd::SA00, "SA00"},
        {cmd::ST00, "ST00"},
        {cmd::ULCK, "ULCK"},
        {cmd::ID00, "ID00"},
        {cmd::MD00, "MD00"},
        {cmd::BAS00, "BAS00"},
        {cmd::WB0R, "WB0R"},
        {cmd::WB0B, "WB0B"},
        {cmd::SDR00, "SDR00"},
        {cmd::SDS00, "SDS00"},
        {cmd::PGR00, "PGR00"},
        {cmd::PGS00, "PGS00"},
        {cmd::PBR00, "PBR00"},
        {cmd::PBS00, "PBS00"},
        {cmd::XMLVR, "XMLVR"},
        {cmd::DV00, "DV00"},
        {cmd::GA00, "GA00"},
        {cmd::PGC00, "PGC00"},
        {cmd::PBC00, "PBC00"},
        {cmd::CACSM, "CACSM0"},
        {cmd::CACR, "CACR0"},
        {cmd::CACB, "CACB0"},
        {cmd::CACRR, "CACRR0"},
        {cmd::CACRB, "CACRB0"},
        {cmd::CACMT, "CACMT0"},
        {cmd::RatioLeftRed, "CACR0R0"},
        {cmd::RatioLeftBlue, "CACR0B0"},
        {cmd::RatioRightRed, "CACRR0R1"},
        {cmd::RatioRightBlue, "CACRR0B1"},
        {cmd::CoeffLeftRed, "CACC0R"},
        {cmd::CoeffLeftBlue, "CACC0B"},
        {cmd::CoeffRightRed, "CACRC0R"},
        {cmd::CoeffRightBlue, "CACRC0B"},
        {cmd::CacFirst, "CACSM0"},
        {cmd::CacLast, "CACRC3B"},
        {cmd::CE, "CE0"},
        {cmd::CEA, "CEA0"},
        {cmd::CR, "CR0"},
        {cmd::CV, "CV0"},
        {cmd::CS, "CS0"},
        {cmd::Unnamed, ""},
    };
    for (const auto& [id, name] : named) EXPECT_EQ(GetCommandName(id), name) << id;
}

TEST(CommandTable, FindCommandMatchesWholeCaseSensitiveMnemonics) {
    EXPECT_EQ(FindCommand("GA"), 47);
    EXPECT_EQ(FindCommand("GA00"), 443);
    EXPECT_EQ(FindCommand("ga"), -1);
    EXPECT_EQ(FindCommand("G"), -1);
    EXPECT_EQ(FindCommand("GAX"), -1);
    EXPECT_EQ(FindCommand(""), 322);
}

TEST(CommandTable, ExactlyTheTenIdentityCommandsAreText) {
    const std::set<uint32_t> text = {3, 4, 5, 6, 7, 8, 9, 392, 393, 442};
    for (uint32_t i = 0; i < kCommandCount; ++i)
        EXPECT_EQ(GetValueKind(i), text.count(i) ? ValueKind::Text : ValueKind::Integer) << GetCommandName(i);
}
