#include "sim/ComboValues.h"

#include <algorithm>
#include <map>
#include <string>

#include "protocol/ComboItems.h"

namespace vr::sim {
namespace {

// The camera's codes for its signals; the lists name some of them in two spellings.
int32_t SignalCode(const std::string& item) {
    static const std::map<std::string, int32_t> codes = {{"Low", 0},
                                                         {"High", 1},
                                                         {"ExposureActive", 7},
                                                         {"LVAL", 9},
                                                         {"PulseGenerator0", 10},
                                                         {"PulseGenerator1", 11},
                                                         {"PulseGenerator2", 12},
                                                         {"PulseGenerator3", 13},
                                                         {"UserOutput0", 14},
                                                         {"UserOutput1", 15},
                                                         {"UserOutput2", 16},
                                                         {"UserOutput3", 17},
                                                         {"Line4 TTL In1", 20},
                                                         {"Line4:TTL In1", 20},
                                                         {"Line5:Opt In1", 21},
                                                         {"Line7:CC1", 23},
                                                         {"Line10:TTL In2", 24},
                                                         {"NAND0 Out", 26},
                                                         {"NAND1 Out", 27},
                                                         {"Line13:TTL In3", 28},
                                                         {"EncoderTrigger", 29},
                                                         {"EncoderTriger", 29},
                                                         {"EncoderDirection", 30}};
    auto it = codes.find(item);
    return it == codes.end() ? -1 : it->second;
}

bool IsSignalList(uint32_t ctrlId) {
    if (ctrlId == 1098 || ctrlId == 1101 || (ctrlId >= 1339 && ctrlId <= 1345)) return true;
    for (uint32_t g = 0; g < 4; ++g)
        if (ctrlId == 1363 + 12 * g) return true;
    return false;
}

bool IsPulseActivation(uint32_t ctrlId) {
    for (uint32_t g = 0; g < 4; ++g)
        if (ctrlId == 1362 + 12 * g) return true;
    return false;
}

std::vector<int32_t> Indices(size_t count) {
    std::vector<int32_t> v;
    for (size_t i = 0; i < count; ++i) v.push_back(static_cast<int32_t>(i));
    return v;
}

}  // namespace

std::vector<int32_t> ComboValues(uint32_t ctrlId, CameraKind kind) {
    const auto* items = protocol::ComboItems(ctrlId);
    if (items == nullptr) return {};
    std::vector<int32_t> v;
    if (IsSignalList(ctrlId)) {
        for (const auto& item : *items) v.push_back(SignalCode(item));
    } else if (IsPulseActivation(ctrlId)) {
        v = {0, 1, 2, 4, 8};
    } else {
        switch (ctrlId) {
            case 1223:
                v = {0, 1, 2, 4};
                break;  // CL configuration: Base, Medium, Full, Eighty
            case 1439:
                v = {0, 1};
                break;  // counter sources: Off and the counted event
            case 1445:
                v = {0, 3};
                break;
            case 1451:
                v = {0, 2};
                break;
            case 1457:
                v = {0, 4};
                break;
            // White balance: Off, Once, Exposure Once (KA only), the three presets.
            case 1408:
                v = kind == CameraKind::KA ? std::vector<int32_t>{0, 2, 4, 5, 6, 7}
                                           : std::vector<int32_t>{0, 2, 5, 6, 7};
                break;
            case 1173:
                v = {0, 2};
                break;  // gain auto: Off, Once
            // The KA's Camera Link clock does not go down to 31.875 MHz.
            case 1174:
                v = Indices(kind == CameraKind::KA ? 3 : 4);
                break;
            default:
                v = Indices(items->size());
                break;
        }
    }
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

}  // namespace vr::sim
