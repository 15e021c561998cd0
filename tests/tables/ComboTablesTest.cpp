// The drop-down lists against tests/golden/combo_items.tsv, combo_codes.tsv and signal_codes.tsv.

#include <gtest/gtest.h>

#include <map>

#include "GoldenFile.h"
#include "protocol/ComboCodes.h"
#include "protocol/ComboItems.h"
#include "protocol/ParameterTable.h"

using namespace vr::test;

namespace {

// The one list the golden data leaves out: the documented lists give no items for the pixel format.
constexpr uint32_t kListWithoutGoldenItems = 1100;

// Each list of a golden file against the code's: the same lists, as many items, and each item's field.
template <class CodeList, class ExpectItem>
void ExpectLists(const char* file, const char* what, const std::vector<uint32_t>& codeIds, CodeList codeList,
                 ExpectItem expectItem) {
    GoldenFile golden(file);
    std::map<int64_t, std::vector<const GoldenFile::Record*>> lists;
    for (const auto& r : golden.Records()) lists[r.Int("ctrl")].push_back(&r);
    std::vector<int64_t> goldenIds;
    for (const auto& [ctrl, items] : lists) goldenIds.push_back(ctrl);
    ExpectSameIds(what, goldenIds, codeIds);
    for (const auto& [ctrl, items] : lists) {
        const auto code = codeList(static_cast<uint32_t>(ctrl));
        ExpectField(*items.front(), "item count", items.size(), code.size());
        for (const GoldenFile::Record* r : items) expectItem(*r, code, static_cast<size_t>(r->Int("index")));
    }
}

}  // namespace

TEST(GoldenTables, ComboItems) {
    std::vector<uint32_t> codeIds;
    for (uint32_t ctrl : vr::protocol::ComboControlIds())
        if (ctrl != kListWithoutGoldenItems) codeIds.push_back(ctrl);
    ExpectLists(
        "combo_items.tsv", "lists", codeIds,
        [](uint32_t ctrl) {
            const auto* items = vr::protocol::ComboItems(ctrl);
            return items != nullptr ? *items : std::vector<std::string>{};
        },
        [](const GoldenFile::Record& r, const std::vector<std::string>& code, size_t i) {
            ExpectField(r, "text", r.Text("text"), i < code.size() ? code[i] : "(no item)");
        });
    for (size_t i = 0; i < vr::protocol::kParameterRowCount; ++i) {
        const auto& d = vr::protocol::ParameterDefs()[i];
        if (d.controlKind == vr::protocol::ControlKind::Combo && vr::protocol::ComboItems(d.ctrlId) == nullptr)
            ADD_FAILURE() << "row " << i << ": list " << d.ctrlId << " has no items";
    }
}

TEST(GoldenTables, ComboCodes) {
    ExpectLists("combo_codes.tsv", "coded lists", vr::protocol::CodedCombos(), vr::protocol::CodesOf,
                [](const GoldenFile::Record& r, const std::vector<int32_t>& code, size_t i) {
                    ExpectField(r, "code", r.Int("code"), i < code.size() ? code[i] : -1);
                });
    GoldenFile vocabulary("signal_codes.tsv");
    for (const auto& r : vocabulary.Records())
        ExpectField(r, "SignalCode", r.Int("code"), vr::protocol::SignalCode(r.Text("text")));
}
