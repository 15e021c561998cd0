#pragma once
// The items of every drop-down list of the pages, in display order, as the page layouts carry them.
// Which lists carry value codes instead of indices, and the per-model changes of some lists, belong
// to the main window's logic.

#include <cstdint>
#include <string>
#include <vector>

namespace vr::protocol {

// The items of the list of control ctrlId; nullptr when the control is not a known list.
const std::vector<std::string>* ComboItems(uint32_t ctrlId);

// Every control id that has a list, in ascending order.
std::vector<uint32_t> ComboControlIds();

}  // namespace vr::protocol
