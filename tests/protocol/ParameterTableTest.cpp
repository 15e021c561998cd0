#include <gtest/gtest.h>

#include <map>
#include <set>

#include "FakePlatform.h"
#include "protocol/ComboItems.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

using namespace vr::protocol;

namespace {

class ParameterTableTest : public ::testing::Test {
protected:
    void SetUp() override { table.ResetToDefaults(); }
    void TearDown() override { table.ResetToDefaults(); }
    vr::test::FakePlatform platform;
    ParameterTable table{platform};
};

}  // namespace

// The counts the reading, settings-file and layout code rely on.
TEST_F(ParameterTableTest, ShapeOfTheTable) {
    int combos = 0, spins = 0, buttons = 0, factory = 0, unnamed = 0, userValues = 0;
    std::set<uint32_t> ctrlIds;
    std::map<uint32_t, int> commandUse;
    for (size_t i = 0; i < ParameterTable::Size(); ++i) {
        const ParameterDef& d = *table.Row(i).def;
        combos += d.controlKind == ControlKind::Combo;
        spins += d.controlKind == ControlKind::SpinEdit;
        buttons += d.controlKind == ControlKind::Button;
        factory += d.area == ParamArea::Factory;
        unnamed += d.cmdId == cmd::Unnamed;
        userValues += d.area == ParamArea::User && d.controlKind != ControlKind::Button;
        EXPECT_TRUE(ctrlIds.insert(d.ctrlId).second) << "duplicate control " << d.ctrlId;
        EXPECT_LT(d.cmdId, kCommandCount);
        ++commandUse[d.cmdId];
        if (d.controlKind == ControlKind::SpinEdit) {
            EXPECT_LE(d.minValue, d.maxValue) << d.ctrlId;
            EXPECT_TRUE((d.defaultValue >= d.minValue && d.defaultValue <= d.maxValue) ||
                        d.ctrlId == 1703)  // Coeff starts at 0 below its range, as the pages do
                << d.ctrlId;
        }
        if (d.controlKind == ControlKind::Combo) {
            EXPECT_NE(ComboItems(d.ctrlId), nullptr) << d.ctrlId;
        }
    }
    EXPECT_EQ(ParameterDefs()[kParameterRowCount].ctrlId, kTerminatorCtrlId);
    EXPECT_EQ(combos, 99);
    EXPECT_EQ(spins, 115);
    EXPECT_EQ(buttons, 8);
    EXPECT_EQ(table.CountValueParams(), 214);
    EXPECT_EQ(table.CountUserParams(), 171);
    EXPECT_EQ(userValues, 171);
    EXPECT_EQ(factory, 41);
    EXPECT_EQ(unnamed, 8);
    for (const auto& [cmdId, uses] : commandUse) {
        if (cmdId != cmd::Unnamed) {
            EXPECT_EQ(uses, 1) << GetCommandName(cmdId) << " bound twice";
        }
    }
}

TEST_F(ParameterTableTest, RowsKeepTheirPlaces) {
    const struct {
        size_t row;
        uint32_t ctrlId;
        const char* mnemonic;
    } pinned[] = {{0, 1124, "CBDRT"},   {31, 1041, "GA"},     {42, 1667, "AS"},    {132, 1354, "PGL0"},
                  {153, 1387, "PGIN2"}, {163, 1401, "PGSM3"}, {178, 1126, "SA00"}, {221, 1198, "PBR00"}};
    for (const auto& p : pinned) {
        EXPECT_EQ(table.Row(p.row).def->ctrlId, p.ctrlId) << p.row;
        EXPECT_EQ(GetCommandName(table.Row(p.row).def->cmdId), p.mnemonic) << p.row;
    }
}

TEST_F(ParameterTableTest, ValuesChangeOnlyThroughSetAndCommit) {
    EXPECT_EQ(table.GetDataValue(1225), 4096);  // image width before any read
    EXPECT_TRUE(table.SetDataValue(1229, 7));   // no range check: that belongs to the controls
    EXPECT_EQ(table.GetDataValue(1229), 7);
    EXPECT_EQ(table.GetCommittedDataValue(1229), 1);
    table.CommitDataValues();
    EXPECT_EQ(table.GetCommittedDataValue(1229), 7);
    int32_t lo = 5, hi = 5;
    EXPECT_TRUE(table.GetDataRange(1041, lo, hi));
    EXPECT_EQ(lo, 100);
    EXPECT_EQ(hi, 3200);
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(ParameterTableTest, LookupsAndTheirFailures) {
    EXPECT_TRUE(table.IsFactoryParam(1255));
    EXPECT_FALSE(table.IsFactoryParam(1041));
    EXPECT_FALSE(table.IsInSettingsFile(999));
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_FALSE(table.HoldsValue(42));
    EXPECT_EQ(table.ToCtrlId(200), 1696);
    EXPECT_EQ(table.ToCtrlId(146), 1699);
    EXPECT_EQ(table.ToCtrlId(150), 1702);
    EXPECT_EQ(table.ToCtrlId(166), 1701);
    EXPECT_EQ(table.ToCtrlId(310), 1703);
    EXPECT_EQ(table.ToCtrlId(cmd::Unnamed), 1700);
    EXPECT_EQ(table.ToCtrlId(47), 1041);
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
        EXPECT_EQ(box.icon, vr::app::MsgIcon::Exclamation);
    }
}

TEST(ComboItems, SignalSourceListsDifferOnlyWhereTheyShould) {
    const auto* ls = ComboItems(1101);
    const auto* nd = ComboItems(1342);
    ASSERT_TRUE(ls && nd);
    ASSERT_EQ(ls->size(), 21u);
    EXPECT_EQ((*ls)[19], "EncoderTrigger");
    EXPECT_EQ((*nd)[19], "EncoderTriger");
    for (int g = 0; g < 4; ++g) {
        const auto* pgin = ComboItems(1363 + 12 * g);
        ASSERT_TRUE(pgin);
        EXPECT_EQ(pgin->size(), 20u);
        for (const auto& item : *pgin) EXPECT_NE(item, "PulseGenerator" + std::to_string(g));
    }
    EXPECT_EQ(ComboItems(1098)->at(10), "Line4 TTL In1");
    EXPECT_EQ(ComboItems(12345), nullptr);
}
