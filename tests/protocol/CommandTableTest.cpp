// The named command ids and the mnemonic look-up; test_tables compares the rows with golden/commands.tsv.

#include <gtest/gtest.h>

#include "protocol/CommandTable.h"

using namespace vr::protocol;

// Every id the tool and the virtual camera name in code stands at its mnemonic (a family by its first member).
TEST(CommandTable, NamedIdsStandAtTheirMnemonics) {
#define SAME(name) \
    { cmd::name, #name }
    const std::pair<uint32_t, const char*> named[] = {
        SAME(EB),    SAME(ST),    SAME(HP),     SAME(VN),    SAME(FPVN),  SAME(ID),    SAME(UD),    SAME(DVN),
        SAME(MD),    SAME(DV),    SAME(SBDRT),  SAME(CBDRT), SAME(CRS00), SAME(EI),    SAME(ETM),   SAME(PE),
        SAME(PER),   SAME(PEG),   SAME(PEB),    SAME(LR),    SAME(LRMIN), SAME(PEMAX), SAME(PEMIN), SAME(LROP),
        SAME(WTC),   SAME(OFC),   SAME(HB),     SAME(BA),    SAME(CLCFG), SAME(CLCF),  SAME(GM),    SAME(AGC),
        SAME(AGCF),  SAME(AGCFV), SAME(AGCFV8), SAME(AGCS),  SAME(GA),    SAME(GAR),   SAME(GAB),   SAME(GAG),
        SAME(AWB),   SAME(AWBW),  SAME(AWBO),   SAME(AWRS),  SAME(AHRS),  SAME(AS),    SAME(SDM),   SAME(RS),
        SAME(SDRS),  SAME(SDDS),  SAME(SDDI),   SAME(SDD),   SAME(SDDU),  SAME(SDDA),  SAME(PGR),   SAME(PGS),
        SAME(PBR),   SAME(PBS),   SAME(LUTIG),  SAME(LUTIR), SAME(LUTIB), SAME(LUTG),  SAME(LUTR),  SAME(LUTB),
        SAME(GMA),   SAME(TMP0),  SAME(STP),    SAME(CACM),  SAME(CACS),  SAME(LD),    SAME(SA),    SAME(EA),
        SAME(SA00),  SAME(ST00),  SAME(ULCK),   SAME(ID00),  SAME(MD00),  SAME(BAS00), SAME(WB0R),  SAME(WB0B),
        SAME(SDR00), SAME(SDS00), SAME(PGR00),  SAME(PGS00), SAME(PBR00), SAME(PBS00), SAME(XMLVR), SAME(DV00),
        SAME(GA00),  SAME(PGC00), SAME(PBC00)};
#undef SAME
    // clang-format off
#define AS(id, name) {cmd::id, name}
    const std::pair<uint32_t, const char*> families[] = {
        AS(CACSM, "CACSM0"), AS(CACR, "CACR0"), AS(CACB, "CACB0"), AS(CACRR, "CACRR0"), AS(CACRB, "CACRB0"),
        AS(CACMT, "CACMT0"), AS(RatioLeftRed, "CACR0R0"), AS(RatioLeftBlue, "CACR0B0"), AS(RatioRightRed, "CACRR0R1"),
        AS(RatioRightBlue, "CACRR0B1"), AS(CoeffLeftRed, "CACC0R"), AS(CoeffLeftBlue, "CACC0B"),
        AS(CoeffRightRed, "CACRC0R"), AS(CoeffRightBlue, "CACRC0B"), AS(CacFirst, "CACSM0"), AS(CacLast, "CACRC3B"),
        AS(CE, "CE0"), AS(CEA, "CEA0"), AS(CR, "CR0"), AS(CV, "CV0"), AS(CS, "CS0"), AS(Unnamed, "")};
    // clang-format on
#undef AS
    for (const auto& [id, name] : named) EXPECT_EQ(GetCommandName(id), name) << id;
    for (const auto& [id, name] : families) EXPECT_EQ(GetCommandName(id), name) << id;
}

TEST(CommandTable, FindCommandMatchesWholeCaseSensitiveMnemonics) {
    for (const auto& [text, id] : {std::pair{"GA", 47}, {"GA00", 443}, {"ga", -1}, {"G", -1}, {"GAX", -1}, {"", 322}})
        EXPECT_EQ(FindCommand(text), id) << '"' << text << '"';
}
