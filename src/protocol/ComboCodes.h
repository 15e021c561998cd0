#pragma once
// The value codes of the drop-down lists whose items are not numbered by position: signal sources,
// trigger activations, the CL configuration and the counter event sources. A list's value is its
// selected item's code; every other list's value is the selected index.

#include <cstdint>
#include <string>
#include <vector>

namespace vr::protocol {

// The code of a signal-source or activation item text; -1 for a text with no code.
int32_t SignalCode(const std::string& itemText);

// The 22 lists that carry codes, in ascending id order.
const std::vector<uint32_t>& CodedCombos();

// The codes of a coded list's template items, in item order; empty for another list.
std::vector<int32_t> CodesOf(uint32_t comboId);

// The white balance list's codes by model: without "Exposure Once" on a VR-8200-KB.
inline const std::vector<int32_t> kWhiteBalanceCodesKB = {0, 2, 5, 6, 7};
inline const std::vector<int32_t> kWhiteBalanceCodesKA = {0, 2, 4, 5, 6, 7};

}  // namespace vr::protocol
