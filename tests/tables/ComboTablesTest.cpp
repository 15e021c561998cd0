// The drop-down lists against tests/golden/combo_items.tsv, combo_codes.tsv and signal_codes.tsv.

#include <gtest/gtest.h>

#include <map>

#include "GoldenFile.h"
#include "protocol/ComboItems.h"
#include "protocol/ParameterTable.h"
#include "ui/main/ComboCodes.h"

using vr::test::ExpectField;
using vr::test::ExpectSameIds;
using vr::test::GoldenFile;

namespace {

// The one list the golden data leaves out: the documented lists give no items for the pixel format.
constexpr uint32_t kListWithoutGoldenItems = 1100;

// The records of a file grouped by control, in file order.
std::map<int64_t, std::vector<const GoldenFile::Record*>> ByControl(const GoldenFile& file) {
    std::map<int64_t, std::vector<const GoldenFile::Record*>> lists;
    for (const auto& r : file.Records()) lists[r.Int("ctrl")].push_back(&r);
    return lists;
}

}  // namespace

TEST(GoldenTables, ComboItems) {
    GoldenFile golden("combo_items.tsv");
    const auto lists = ByControl(golden);
    std::vector<int64_t> goldenIds, codeIds;
    for (const auto& [ctrl, items] : lists) goldenIds.push_back(ctrl);
    for (uint32_t ctrl : vr::protocol::ComboControlIds())
        if (ctrl != kListWithoutGoldenItems) codeIds.push_back(ctrl);
    ExpectSameIds("lists", goldenIds, codeIds);
    for (const auto& [ctrl, items] : lists) {
        const std::vector<std::string>* code = vr::protocol::ComboItems(static_cast<uint32_t>(ctrl));
        if (code == nullptr) continue;  // reported above
        ExpectField(*items.front(), "item count", static_cast<int64_t>(items.size()), code->size());
        for (const GoldenFile::Record* r : items) {
            const auto index = static_cast<size_t>(r->Int("index"));
            ExpectField(*r, "text", r->Text("text"), index < code->size() ? (*code)[index] : "(no item)");
        }
    }
    // Every list row of the parameter table has its items.
    for (size_t i = 0; i < vr::protocol::kParameterRowCount; ++i) {
        const auto& d = vr::protocol::ParameterDefs()[i];
        if (d.controlKind == vr::protocol::ControlKind::Combo && vr::protocol::ComboItems(d.ctrlId) == nullptr)
            ADD_FAILURE() << "row " << i << ": list " << d.ctrlId << " has no items";
    }
}

TEST(GoldenTables, ComboCodes) {
    GoldenFile golden("combo_codes.tsv");
    const auto lists = ByControl(golden);
    std::vector<int64_t> goldenIds, codeIds;
    for (const auto& [ctrl, items] : lists) goldenIds.push_back(ctrl);
    for (uint32_t ctrl : vr::ui::CodedCombos()) codeIds.push_back(ctrl);
    EXPECT_EQ(codeIds.size(), 22u);
    ExpectSameIds("coded lists", goldenIds, codeIds);
    for (const auto& [ctrl, items] : lists) {
        const std::vector<int32_t> codes = vr::ui::CodesOf(static_cast<uint32_t>(ctrl));
        ExpectField(*items.front(), "code count", static_cast<int64_t>(items.size()), codes.size());
        for (const GoldenFile::Record* r : items) {
            const auto index = static_cast<size_t>(r->Int("index"));
            ExpectField(*r, "code", r->Int("code"), index < codes.size() ? codes[index] : -1);
        }
    }
    GoldenFile vocabulary("signal_codes.tsv");
    for (const auto& r : vocabulary.Records())
        ExpectField(r, "SignalCode", r.Int("code"), vr::ui::SignalCode(r.Text("text")));
}
