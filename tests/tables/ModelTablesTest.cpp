// What each model has and shows, against tests/golden (the rows reading all settings asks for: TimeoutsTest).

#include <gtest/gtest.h>

#include <map>

#include "GoldenFile.h"
#include "camera/ModelCommands.h"
#include "camera/ReadAllSettings.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"
#include "ui/ControlModel.h"
#include "ui/main/ModelLayout.h"

using namespace vr::camera;
using namespace vr::test;

namespace {

uint32_t ModelKind(const GoldenFile::Record& r) {
    const std::string& name = r.Text("model");
    if (name != kModelNameKB && name != kModelNameKA) r.Fail("unknown model \"" + name + "\"");
    return name == kModelNameKB ? kModelKB : name == kModelNameKA ? kModelKA : kModelUnknown;
}

}  // namespace

TEST(GoldenTables, ModelCommands) {
    GoldenFile golden("model_commands.tsv");
    std::map<uint32_t, std::vector<int64_t>> lacking;
    for (const auto& r : golden.Records()) {
        ExpectField(r, "mnemonic", r.Text("mnemonic"),
                    vr::protocol::GetCommandName(static_cast<uint32_t>(r.Int("cmd"))));
        lacking[ModelKind(r)].push_back(r.Int("cmd"));
    }
    for (uint32_t kind : {kModelKB, kModelKA, kModelUnknown}) {
        std::vector<int64_t> code;
        for (uint32_t id = 0; id < vr::protocol::kCommandCount; ++id)
            if (!IsCommandOnModel(id, kind)) code.push_back(id);
        ExpectSameIds("commands model " + std::to_string(kind) + " lacks", lacking[kind], code);
    }
}

TEST(GoldenTables, ModelControls) {
    GoldenFile golden("model_controls.tsv");
    std::map<std::string, std::vector<int64_t>> shownOn;
    for (const auto& r : golden.Records()) shownOn[r.Text("shown_on")].push_back(r.Int("ctrl"));
    for (const auto& [where, ids] : shownOn)
        EXPECT_TRUE(where == kModelNameKB || where == kModelNameKA || where == "both") << "shown_on \"" << where << '"';
    ExpectSameIds("controls only on the VR-8200-KB", shownOn[kModelNameKB], vr::ui::ControlsOnlyOnKB());
    ExpectSameIds("controls only on the VR-8200-KA", shownOn[kModelNameKA], vr::ui::ControlsOnlyOnKA());

    // The controls of both models come back after the other layout hid them.
    for (uint32_t kind : {kModelKB, kModelKA}) {
        vr::ui::ControlModel controls;
        for (int64_t id : shownOn["both"]) controls.Show(static_cast<uint32_t>(id), false);
        vr::ui::ApplyModelLayout(controls, kind);
        for (int64_t id : shownOn["both"])
            if (controls.Exists(static_cast<uint32_t>(id)) && !controls.IsShown(static_cast<uint32_t>(id)))
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
            ExpectField(r, "text", r.Text("text"), controls.ItemText(ctrl, index));
            // An empty code: the list is numbered by position and its items carry no data.
            ExpectField(r, "code", r.Text("code").empty() ? 0 : r.Int("code"), controls.ItemValue(ctrl, index));
        }
        for (const auto& [ctrl, count] : counts)
            EXPECT_EQ(controls.ItemCount(ctrl), count) << "model " << kind << ", list " << ctrl << ": item count";
    }
}
