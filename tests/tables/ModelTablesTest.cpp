// What each camera model has and shows, and which rows reading all settings skips, against
// tests/golden/model_commands.tsv, model_controls.tsv, model_combo_items.tsv and never_read.tsv.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "GoldenFile.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"
#include "settings/ModelCommands.h"
#include "settings/ReadAllSettings.h"
#include "ui/ControlModel.h"
#include "ui/main/ModelLayout.h"

using namespace vr::settings;
using vr::test::ExpectField;
using vr::test::ExpectSameIds;
using vr::test::GoldenFile;

namespace {

uint32_t ModelKind(const GoldenFile::Record& r) {
    const std::string& name = r.Text("model");
    if (name == kModelNameKB) return kModelKB;
    if (name == kModelNameKA) return kModelKA;
    ADD_FAILURE() << r.Where() << ": unknown model \"" << name << "\"";
    return kModelUnknown;
}

}  // namespace

TEST(GoldenTables, ModelCommands) {
    GoldenFile golden("model_commands.tsv");
    std::map<uint32_t, std::set<uint32_t>> lacking;
    for (const auto& r : golden.Records()) {
        ExpectField(r, "mnemonic", r.Text("mnemonic"),
                    vr::protocol::GetCommandName(static_cast<uint32_t>(r.Int("cmd"))));
        lacking[ModelKind(r)].insert(static_cast<uint32_t>(r.Int("cmd")));
    }
    for (uint32_t kind : {kModelKB, kModelKA, kModelUnknown}) {
        for (uint32_t id = 0; id < vr::protocol::kCommandCount; ++id) {
            const bool expected = lacking[kind].count(id) == 0;
            if (IsCommandOnModel(id, kind) != expected)
                ADD_FAILURE() << "model " << kind << ", command " << id << " \"" << vr::protocol::GetCommandName(id)
                              << "\": golden " << (expected ? "present" : "absent") << ", code "
                              << (expected ? "absent" : "present");
        }
    }
}

TEST(GoldenTables, ModelControls) {
    GoldenFile golden("model_controls.tsv");
    std::vector<int64_t> onlyKB, onlyKA, codeKB, codeKA;
    std::vector<uint32_t> both;
    for (const auto& r : golden.Records()) {
        const std::string& shownOn = r.Text("shown_on");
        if (shownOn == kModelNameKB)
            onlyKB.push_back(r.Int("ctrl"));
        else if (shownOn == kModelNameKA)
            onlyKA.push_back(r.Int("ctrl"));
        else if (shownOn == "both")
            both.push_back(static_cast<uint32_t>(r.Int("ctrl")));
        else
            ADD_FAILURE() << r.Where() << ": unknown shown_on \"" << shownOn << "\"";
    }
    EXPECT_EQ(onlyKB.size(), 56u);
    EXPECT_EQ(onlyKA.size(), 108u);
    for (uint32_t id : vr::ui::ControlsOnlyOnKB()) codeKB.push_back(id);
    for (uint32_t id : vr::ui::ControlsOnlyOnKA()) codeKA.push_back(id);
    ExpectSameIds("controls only on the VR-8200-KB", onlyKB, codeKB);
    ExpectSameIds("controls only on the VR-8200-KA", onlyKA, codeKA);

    // The controls of both models come back after the other layout hid them.
    for (uint32_t kind : {kModelKB, kModelKA}) {
        vr::ui::ControlModel controls;
        for (uint32_t id : both) controls.Show(id, false);
        vr::ui::ApplyModelLayout(controls, kind);
        for (uint32_t id : both)
            if (controls.Exists(id) && !controls.IsShown(id))
                ADD_FAILURE() << "model " << kind << ": control " << id << " of both models is hidden";
    }
}

// The lists that differ by model, after the layout of one model, of the other and of the first again.
TEST(GoldenTables, ModelComboItems) {
    GoldenFile golden("model_combo_items.tsv");
    vr::ui::ControlModel controls;
    for (uint32_t kind : {kModelKB, kModelKA, kModelKB}) {
        vr::ui::ApplyModelLayout(controls, kind);
        std::map<uint32_t, int> counts;
        for (const auto& r : golden.Records()) {
            if (ModelKind(r) != kind) continue;
            const auto ctrl = static_cast<uint32_t>(r.Int("ctrl"));
            const int index = static_cast<int>(r.Int("index"));
            ++counts[ctrl];
            ExpectField(r, "text", r.Text("text"), controls.GetItemText(ctrl, index));
            // An empty code: the list is numbered by position and its items carry no data.
            const int64_t code = r.Text("code").empty() ? 0 : r.Int("code");
            ExpectField(r, "code", code, controls.GetItemData(ctrl, index));
        }
        for (const auto& [ctrl, count] : counts)
            EXPECT_EQ(controls.GetCount(ctrl), count) << "model " << kind << ", list " << ctrl << ": item count";
    }
}

TEST(GoldenTables, NeverReadRows) {
    GoldenFile golden("never_read.tsv");
    ASSERT_EQ(golden.Records().size(), 25u);
    std::set<uint32_t> never;
    for (const auto& r : golden.Records()) never.insert(static_cast<uint32_t>(r.Int("ctrl")));
    for (size_t i = 0; i < vr::protocol::kParameterRowCount; ++i) {
        const uint32_t ctrl = vr::protocol::ParameterDefs()[i].ctrlId;
        const bool expected = never.count(ctrl) == 0;
        if (IsOnReadList(ctrl) != expected)
            ADD_FAILURE() << "row " << i << ", control " << ctrl << ": golden " << (expected ? "read" : "never read")
                          << ", code " << (expected ? "never read" : "read");
    }
    // The rows read per model and mode follow from the two lists and the parameter table.
    for (const auto& [kind, factoryMode, rows] :
         {std::tuple{kModelKB, false, 144u}, std::tuple{kModelKB, true, 160u}, std::tuple{kModelKA, false, 146u},
          std::tuple{kModelKA, true, 178u}, std::tuple{kModelUnknown, true, 0u}}) {
        EXPECT_EQ(RowsToRead(kind, factoryMode).size(), rows) << "model " << kind << ", factory mode " << factoryMode;
    }
}
