#pragma once
// Which commands a memory area keeps. A user area keeps every stored user setting of the parameter
// table except the line rate code (the camera always starts at its boot rate) and the LUT entry
// registers (the tables themselves are kept whole); the factory area keeps the factory settings
// besides. The boot area choice lives beside the areas, not in them.

#include <cstdint>
#include <vector>

namespace vr::sim {

const std::vector<uint32_t>& StoredUserIds();
const std::vector<uint32_t>& StoredFactoryIds();

}  // namespace vr::sim
