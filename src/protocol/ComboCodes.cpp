#include "protocol/ComboCodes.h"

#include <map>

#include "protocol/ComboItems.h"

namespace vr::protocol {
namespace {

// One code vocabulary for every signal source; the two spellings of the first TTL input and of the
// encoder trigger are the same signal.
const std::map<std::string, int32_t>& SignalCodes() {
    static const std::map<std::string, int32_t> codes = {
        {"Low", 0},
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
        {"EncoderDirection", 30},
    };
    return codes;
}

// Lists whose codes are not signal sources, by control id, in item order.
const std::map<uint32_t, std::vector<int32_t>>& FixedCodes() {
    static const std::map<uint32_t, std::vector<int32_t>> codes = {
        {1362, {0, 1, 2, 4, 8}}, {1374, {0, 1, 2, 4, 8}}, {1386, {0, 1, 2, 4, 8}},
        {1398, {0, 1, 2, 4, 8}}, {1223, {0, 1, 2, 4}},    {1439, {0, 1}},
        {1445, {0, 3}},          {1451, {0, 2}},          {1457, {0, 4}},
    };
    return codes;
}

constexpr uint32_t kSignalSourceCombos[] = {1098, 1101, 1339, 1340, 1341, 1342, 1343,
                                            1344, 1345, 1363, 1375, 1387, 1399};

}  // namespace

int32_t SignalCode(const std::string& itemText) {
    auto it = SignalCodes().find(itemText);
    return it == SignalCodes().end() ? -1 : it->second;
}

const std::vector<uint32_t>& CodedCombos() {
    static const std::vector<uint32_t> ids = [] {
        std::map<uint32_t, bool> all;
        for (uint32_t id : kSignalSourceCombos) all[id] = true;
        for (const auto& [id, codes] : FixedCodes()) all[id] = true;
        std::vector<uint32_t> v;
        for (const auto& [id, unused] : all) v.push_back(id);
        return v;
    }();
    return ids;
}

std::vector<int32_t> CodesOf(uint32_t comboId) {
    auto fixed = FixedCodes().find(comboId);
    if (fixed != FixedCodes().end()) return fixed->second;
    for (uint32_t id : kSignalSourceCombos) {
        if (id != comboId) continue;
        std::vector<int32_t> codes;
        if (const std::vector<std::string>* items = ComboItems(comboId))
            for (const std::string& item : *items) codes.push_back(SignalCode(item));
        return codes;
    }
    return {};
}

}  // namespace vr::protocol
