#pragma once
// The values the camera accepts for each drop-down parameter. Signal sources, pulse generator
// activations, the Camera Link configuration, counter sources and the white balance modes are
// coded; every other list takes its item index.

#include <cstdint>
#include <vector>

#include "sim/CameraKind.h"

namespace vr::sim {

// Ascending; empty when the control has no list.
std::vector<int32_t> ComboValues(uint32_t ctrlId, CameraKind kind);

}  // namespace vr::sim
