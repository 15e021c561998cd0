// The command table and the parameter table against tests/golden/commands.tsv and parameters.tsv.

#include <gtest/gtest.h>

#include <string>

#include "FakePlatform.h"
#include "GoldenFile.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

using namespace vr::protocol;
using vr::test::ExpectField;
using vr::test::GoldenFile;
using vr::test::YesNo;

namespace {

// The golden files' names of the tool's enumerations; an unknown value gives a name no file uses.
std::string KindName(ValueKind kind) {
    return kind == ValueKind::Integer ? "Integer" : kind == ValueKind::Text ? "Text" : "?";
}
std::string KindName(ControlKind kind) {
    return kind == ControlKind::Combo      ? "Combo"
           : kind == ControlKind::SpinEdit ? "SpinEdit"
           : kind == ControlKind::Button   ? "Button"
                                           : "?";
}
std::string AreaName(ParamArea area) {
    return area == ParamArea::None      ? "None"
           : area == ParamArea::User    ? "User"
           : area == ParamArea::Factory ? "Factory"
                                        : "?";
}

}  // namespace

TEST(GoldenTables, Commands) {
    GoldenFile golden("commands.tsv");
    ASSERT_EQ(golden.Records().size(), kCommandCount);
    for (const auto& r : golden.Records()) {
        const auto id = static_cast<uint32_t>(r.Int("id"));
        ASSERT_LT(id, kCommandCount) << r.Where();
        const CommandTableEntry& entry = CommandTable()[id];
        ExpectField(r, "id", id, entry.id);
        ExpectField(r, "mnemonic", r.Text("mnemonic"), entry.mnemonic);
        ExpectField(r, "GetCommandName", r.Text("mnemonic"), GetCommandName(id));
        ExpectField(r, "FindCommand", id, FindCommand(r.Text("mnemonic")));
        ExpectField(r, "kind", r.Text("kind"), KindName(entry.valueKind));
        ExpectField(r, "GetValueKind", r.Text("kind"), KindName(GetValueKind(id)));
    }
}

TEST(GoldenTables, ParameterRows) {
    vr::test::FakePlatform platform;
    ParameterTable table{platform};
    table.ResetToDefaults();
    GoldenFile golden("parameters.tsv");
    ASSERT_EQ(golden.Records().size(), kParameterRowCount);
    int values = 0, userValues = 0;
    for (const auto& r : golden.Records()) {
        values += r.Text("kind") != "Button";
        userValues += r.Text("kind") != "Button" && r.Text("area") == "User";
        const auto row = static_cast<size_t>(r.Int("row"));
        ASSERT_LT(row, kParameterRowCount) << r.Where();
        const ParameterDef& d = ParameterDefs()[row];
        ExpectField(r, "ctrl", r.Int("ctrl"), d.ctrlId);
        ExpectField(r, "cmd", r.Int("cmd"), d.cmdId);
        ExpectField(r, "mnemonic", r.Text("mnemonic"), d.cmdId < kCommandCount ? GetCommandName(d.cmdId) : "?");
        ExpectField(r, "kind", r.Text("kind"), KindName(d.controlKind));
        ExpectField(r, "area", r.Text("area"), AreaName(d.area));
        ExpectField(r, "file", r.Text("file"), YesNo(d.inSettingsFile));
        ExpectField(r, "min", r.Int("min"), d.minValue);
        ExpectField(r, "max", r.Int("max"), d.maxValue);
        ExpectField(r, "default", r.Int("default"), d.defaultValue);
        ExpectField(r, "layout", r.Int("layout"), d.layout);
        ExpectField(r, "group", r.Text("group"), d.group);
        ExpectField(r, "label", r.Text("label"), d.label);
        // The lookups by control id find this row, and by command this control: ids are unique.
        const auto ctrlId = static_cast<uint32_t>(r.Int("ctrl"));
        ExpectField(r, "CtrlId2TblIndex", r.Int("row"), table.CtrlId2TblIndex(ctrlId));
        ExpectField(r, "GetDataValue after reset", r.Int("default"), table.GetDataValue(ctrlId));
        if (r.Int("cmd") != cmd::Unnamed)
            ExpectField(r, "ToCtrlId", r.Int("ctrl"), table.ToCtrlId(static_cast<uint32_t>(r.Int("cmd"))));
    }
    EXPECT_EQ(ParameterDefs()[kParameterRowCount].ctrlId, kTerminatorCtrlId);
    // The table's own counts of value rows and of user value rows.
    EXPECT_EQ(table.CountValueParams(), values);
    EXPECT_EQ(table.CountUserParams(), userValues);
    EXPECT_TRUE(platform.boxes.empty()) << platform.boxes.front().text;
}
