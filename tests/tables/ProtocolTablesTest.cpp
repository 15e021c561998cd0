// The command table and the parameter table against tests/golden/commands.tsv and parameters.tsv.

#include <gtest/gtest.h>

#include <string>

#include "FakePlatform.h"
#include "GoldenFile.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

using namespace vr::protocol;
using namespace vr::test;

namespace {

// The golden files' names of the tool's enumerations; an unknown value gives a name no file uses.
std::string KindName(ValueKind kind) {
    return kind == ValueKind::Integer ? "Integer" : kind == ValueKind::Text ? "Text" : "?";
}
std::string KindName(ControlKind kind) {
    using enum ControlKind;
    return kind == Combo ? "Combo" : kind == SpinEdit ? "SpinEdit" : kind == Button ? "Button" : "?";
}
std::string AreaName(ParamArea area) {
    using enum ParamArea;
    return area == None ? "None" : area == User ? "User" : area == Factory ? "Factory" : "?";
}

}  // namespace

TEST(GoldenTables, Commands) {
    GoldenFile golden("commands.tsv");
    ASSERT_EQ(golden.Records().size(), kCommandCount);
    for (const auto& r : golden.Records()) {
        const auto id = static_cast<uint32_t>(r.Int("id"));
        ASSERT_LT(id, kCommandCount) << r.Where();
        const CommandTableEntry& entry = CommandTable()[id];
        ExpectFields(r, {{"id", entry.id}, {"mnemonic", entry.mnemonic}, {"kind", KindName(entry.valueKind)}});
        ExpectField(r, "GetCommandName", r.Text("mnemonic"), GetCommandName(id));
        ExpectField(r, "FindCommand", id, FindCommand(r.Text("mnemonic")));
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
        ExpectFields(r, {{"ctrl", d.ctrlId}, {"cmd", d.cmdId}, {"layout", d.layout}, {"label", d.label}});
        ExpectFields(r, {{"min", d.minValue}, {"max", d.maxValue}, {"default", d.defaultValue}, {"group", d.group}});
        ExpectFields(r, {{"kind", KindName(d.controlKind)}, {"area", AreaName(d.area)}});
        ExpectFields(r, {{"file", YesNo(d.inSettingsFile)}});
        ExpectField(r, "mnemonic", r.Text("mnemonic"), d.cmdId < kCommandCount ? GetCommandName(d.cmdId) : "?");
        // The lookups by control id find this row, and by command this control: ids are unique.
        const auto ctrlId = static_cast<uint32_t>(r.Int("ctrl"));
        ExpectField(r, "CtrlId2TblIndex", r.Int("row"), table.CtrlId2TblIndex(ctrlId));
        ExpectField(r, "GetDataValue after reset", r.Int("default"), table.GetDataValue(ctrlId));
        if (r.Int("cmd") != cmd::Unnamed)
            ExpectField(r, "ToCtrlId", r.Int("ctrl"), table.ToCtrlId(static_cast<uint32_t>(r.Int("cmd"))));
    }
    EXPECT_EQ(ParameterDefs()[kParameterRowCount].ctrlId, kTerminatorCtrlId);
    EXPECT_EQ(table.CountValueParams(), values);
    EXPECT_EQ(table.CountUserParams(), userValues);
    EXPECT_TRUE(platform.boxes.empty()) << platform.boxes.front().text;
}
