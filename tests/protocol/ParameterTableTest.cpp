// The parameter table's working values and its look-ups by unknown ids. Its rows, defaults, ranges,
// counts and list items are compared with tests/golden by test_tables.

#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

using namespace vr::protocol;

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
        EXPECT_EQ(box.icon, vr::app::MsgIcon::Exclamation);
    }
}
