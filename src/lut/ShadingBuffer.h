#pragma once
// The shading correction data the tool moves between the camera and files: three planes of 1024
// entries, in the camera's plane order G, R, B ("SDDS" 0, 1, 2). The camera numbers the entries of
// a plane 1 to 1024 ("SDDI"); the buffer holds entry i at position i - 1.

#include <array>
#include <cstdint>

namespace vr::lut {

inline constexpr int kShadingPlanes = 3;
inline constexpr int kShadingEntries = 1024;

using ShadingPlane = std::array<int32_t, kShadingEntries>;
using ShadingBuffer = std::array<ShadingPlane, kShadingPlanes>;

// The plane's letter as files and messages name it: "G", "R", "B".
inline constexpr const char* ShadingPlaneName(int plane) {
    return plane == 0 ? "G" : plane == 1 ? "R" : "B";
}

}  // namespace vr::lut
