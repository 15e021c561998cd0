// The tables beyond their rows, which test_tables compares with tests/golden: the named command ids,
// the mnemonic look-up, the parameter table's working values and its look-ups by unknown ids.

#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

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

TEST(ParameterTable, ValuesChangeOnlyThroughSetAndCommit) {
    vr::test::FakePlatform platform;
    ParameterTable table{platform};
    EXPECT_TRUE(table.SetDataValue(1229, 7));  // no range check: that belongs to the controls
    EXPECT_EQ(table.GetDataValue(1229), 7);
    EXPECT_EQ(table.GetCommittedDataValue(1229), 1);
    table.CommitDataValues();
    EXPECT_EQ(table.GetCommittedDataValue(1229), 7);
    EXPECT_TRUE(platform.boxes.empty());
}

TEST(ParameterTable, LookupsAndTheirFailures) {
    vr::test::FakePlatform platform;
    ParameterTable table{platform};
    EXPECT_TRUE(table.IsFactoryParam(1255));
    EXPECT_FALSE(table.IsFactoryParam(1041));
    EXPECT_FALSE(table.IsInSettingsFile(999));
    EXPECT_FALSE(table.HoldsValue(42));
    // The chromatic aberration families (no rows of their own) go to their editors, ends included.
    const std::pair<uint32_t, int> toCtrl[] = {{145, 1699}, {148, 1699}, {149, 1702},          {164, 1702},
                                               {165, 1701}, {168, 1701}, {169, 1696},          {304, 1696},
                                               {305, 1703}, {320, 1703}, {cmd::Unnamed, 1700}, {cmd::GA, 1041}};
    for (const auto& [cmdId, ctrl] : toCtrl) EXPECT_EQ(table.ToCtrlId(cmdId), ctrl) << cmdId;
    EXPECT_TRUE(platform.boxes.empty());

    int32_t lo = 11, hi = 12;
    EXPECT_EQ(table.GetDataValue(999), -1);
    EXPECT_EQ(table.GetCommittedDataValue(999), -1);
    EXPECT_FALSE(table.SetDataValue(999, 1));
    EXPECT_EQ(table.ToCmdId(999), -1);
    EXPECT_EQ(table.CtrlId2TblIndex(999), -1);
    EXPECT_FALSE(table.GetDataRange(999, lo, hi));
    EXPECT_EQ(lo, 11);
    EXPECT_EQ(hi, 12);
    EXPECT_FALSE(table.IsFactoryParam(999));
    EXPECT_EQ(table.ToCtrlId(0), -1);
    const std::vector<std::string> expected = {
        "Unexpected error occurred in GetDataValue().",
        "Unexpected error occurred in GetDataValue().",
        "Unexpected error occurred in SetDataValue().",
        "Unexpected error occurred in ToCmdId().",
        "Unexpected error occurred in CtrlId2TblIndex().",
        "Unexpected error occurred in CtrlId2TblIndex().",
        "ERROR: IsFactoryParam(): Control id \"999: 0x3e7\" is not registered in database table",
        "Unexpected error occurred in ToCtrlId(): Command id is 0",
    };
    EXPECT_EQ(platform.Texts(), expected);
    for (const auto& box : platform.boxes) {
        EXPECT_EQ(box.caption, "VR-8200 Control Tool");
        EXPECT_EQ(box.icon, vr::platform::MsgIcon::Exclamation);
    }
}
