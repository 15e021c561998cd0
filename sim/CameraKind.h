#pragma once
// The two members of the family and what each of them understands. A camera's personality follows
// its model name; the command lists are the camera's own, kept here in one place.

#include <cstdint>
#include <optional>
#include <string>

namespace vr::sim {

enum class CameraKind { KA, KB };

inline constexpr const char* kModelNameKA = "VR-8200-KA";
inline constexpr const char* kModelNameKB = "VR-8200-KB";

const char* ModelName(CameraKind kind);
// The kind a model name stands for; none for a name that is neither model.
std::optional<CameraKind> KindFromName(const std::string& name);
// "KA" or "KB" as the command line spells them.
std::optional<CameraKind> KindFromOption(const std::string& option);

// Whether the model has the command at all. A command it lacks is answered with an error text,
// whether it is set or queried.
bool IsCommandOnModel(uint32_t cmdId, CameraKind kind);

}  // namespace vr::sim
