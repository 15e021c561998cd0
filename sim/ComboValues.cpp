#include "sim/ComboValues.h"

#include <algorithm>

#include "protocol/ComboCodes.h"
#include "protocol/ComboItems.h"

namespace vr::sim {
namespace {

std::vector<int32_t> Indices(size_t count) {
    std::vector<int32_t> v;
    for (size_t i = 0; i < count; ++i) v.push_back(static_cast<int32_t>(i));
    return v;
}

}  // namespace

std::vector<int32_t> ComboValues(uint32_t ctrlId, CameraKind kind) {
    const auto* items = protocol::ComboItems(ctrlId);
    if (items == nullptr) return {};
    // The camera and the tool share one vocabulary of codes; the tool's table is the one place it
    // is written down.
    std::vector<int32_t> v = protocol::CodesOf(ctrlId);
    switch (ctrlId) {
        // White balance: Off, Once, Exposure Once (KA only), the three presets.
        case 1408:
            v = kind == CameraKind::KA ? protocol::kWhiteBalanceCodesKA : protocol::kWhiteBalanceCodesKB;
            break;
        case 1173:
            v = {0, 2};  // gain auto: Off, Once
            break;
        // The KA's Camera Link clock does not go down to 31.875 MHz.
        case 1174:
            v = Indices(kind == CameraKind::KA ? 3 : 4);
            break;
        default:
            if (v.empty()) v = Indices(items->size());
            break;
    }
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

}  // namespace vr::sim
