#include "ui/main/ModelLayout.h"

#include "camera/ModelCommands.h"
#include "protocol/ControlIds.h"
#include "ui/main/ListCodes.h"
#include "ui/main/PageInventory.h"

namespace vr::ui {
namespace {

struct IdRange {
    uint32_t first;
    uint32_t last;
};

// Shown for the VR-8200-KB, hidden for the VR-8200-KA (56 ids).
constexpr IdRange kOnlyOnKB[] = {
    {1217, 1217}, {1238, 1243}, {1250, 1251}, {1255, 1258}, {1319, 1319}, {1326, 1333}, {1542, 1544},
    {1546, 1547}, {1565, 1571}, {1576, 1579}, {1592, 1603}, {1616, 1619}, {1628, 1628}, {1639, 1639},
};
// Shown for the VR-8200-KA, hidden for the VR-8200-KB (108 ids).
constexpr IdRange kOnlyOnKA[] = {
    {1195, 1195}, {1233, 1233}, {1266, 1318}, {1320, 1325}, {1604, 1615}, {1620, 1627}, {1629, 1638}, {1678, 1694},
};

// Shown for both models.
constexpr IdRange kOnBoth[] = {{1674, 1677}};

template <size_t N>
std::vector<uint32_t> Expand(const IdRange (&ranges)[N]) {
    std::vector<uint32_t> ids;
    for (const IdRange& r : ranges)
        for (uint32_t i = r.first; i <= r.last; ++i) ids.push_back(i);
    return ids;
}

constexpr const char* kIndividualItem = "Indivisual";
constexpr const char* kSlowClockItem = "31.875MHz";
constexpr const char* kExposureOnceItem = "Exposure Once";

void Remove(platform::IControlAccess& controls, uint32_t combo, const char* text) {
    const int i = controls.FindItem(combo, text);
    if (i >= 0) controls.RemoveItem(combo, i);
}

void InsertIfAbsent(platform::IControlAccess& controls, uint32_t combo, int index, const char* text) {
    if (controls.FindItem(combo, text) < 0) controls.InsertItem(combo, index, text);
}

void SetCodes(platform::IControlAccess& controls, uint32_t combo, const std::vector<int32_t>& codes) {
    const int count = controls.ItemCount(combo);
    for (int i = 0; i < count && i < static_cast<int>(codes.size()); ++i) controls.SetItemValue(combo, i, codes[i]);
}

}  // namespace

const std::vector<uint32_t>& ControlsOnlyOnKB() {
    static const std::vector<uint32_t> ids = Expand(kOnlyOnKB);
    return ids;
}

const std::vector<uint32_t>& ControlsOnlyOnKA() {
    static const std::vector<uint32_t> ids = Expand(kOnlyOnKA);
    return ids;
}

void ApplyModelLayout(platform::IControlAccess& controls, uint32_t modelKind) {
    controls.SetSelection(protocol::id::kModelDisplay, static_cast<int>(modelKind));
    if (modelKind != camera::kModelKB && modelKind != camera::kModelKA) return;
    const bool kb = modelKind == camera::kModelKB;
    for (uint32_t i : ControlsOnlyOnKB()) controls.Show(i, kb);
    for (uint32_t i : ControlsOnlyOnKA()) controls.Show(i, !kb);
    for (uint32_t i : Expand(kOnBoth)) controls.Show(i, true);
    if (kb) {
        Remove(controls, protocol::id::kExposureTimeMode, kIndividualItem);
        InsertIfAbsent(controls, protocol::id::kClClock, 3, kSlowClockItem);
        Remove(controls, protocol::id::kWhiteBalance, kExposureOnceItem);
        SetCodes(controls, protocol::id::kWhiteBalance, protocol::kWhiteBalanceCodesKB);
    } else {
        InsertIfAbsent(controls, protocol::id::kExposureTimeMode, 1, kIndividualItem);
        Remove(controls, protocol::id::kClClock, kSlowClockItem);
        InsertIfAbsent(controls, protocol::id::kWhiteBalance, 2, kExposureOnceItem);
        SetCodes(controls, protocol::id::kWhiteBalance, protocol::kWhiteBalanceCodesKA);
    }
    UpdateCaptions(controls);
}

void UpdateCaptions(platform::IControlAccess& controls) {
    for (const PageLayout& page : PageLayouts()) {
        for (const GroupLayout& group : page.groups) {
            bool anyInGroup = false;
            for (const RowLayout& row : group.rows) {
                bool anyInRow = false;
                for (uint32_t c : row.controls) anyInRow = anyInRow || controls.IsShown(c);
                if (row.labelId != 0) controls.Show(row.labelId, anyInRow);
                anyInGroup = anyInGroup || anyInRow;
            }
            // A group box the page holds with no control in it ("Tilted View Correction") stands
            // whatever the model; only one whose controls are all hidden goes with them.
            if (group.groupId != 0 && !group.rows.empty()) controls.Show(group.groupId, anyInGroup);
        }
    }
}

}  // namespace vr::ui
