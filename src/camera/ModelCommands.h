#pragma once
// The camera model the tool is talking to, and which commands each model has. The model record (one
// per program, built with the other services) is written by the model probe of the main window and
// read by everything that adapts to the model.

#include <cstdint>
#include <string>

namespace vr::camera {

inline constexpr uint32_t kModelKB = 0;       // "VR-8200-KB"
inline constexpr uint32_t kModelKA = 1;       // "VR-8200-KA"
inline constexpr uint32_t kModelUnknown = 6;  // unsupported, or not identified yet

inline constexpr const char* kModelNameKB = "VR-8200-KB";
inline constexpr const char* kModelNameKA = "VR-8200-KA";

struct CameraModel {
    uint32_t kind = kModelUnknown;
    std::string name;  // the camera's answer to "MD"; empty until it answered
};

// Whether a camera of the given model kind has the command. Kinds other than the two models have
// every command.
bool IsCommandOnModel(uint32_t cmdId, uint32_t modelKind);

}  // namespace vr::camera
