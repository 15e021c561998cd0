#pragma once
// The device version: a text of four dot-separated fields ("1.0.0.0") that the device information
// dialog shows in four edits and writes back from them.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vr::identity {

using DeviceVersionFields = std::array<std::string, 4>;

// The four fields of a device version text; nothing when it has fewer or more than four. A field may
// be empty ("1.2.3." has an empty fourth field).
std::optional<DeviceVersionFields> SplitDeviceVersion(std::string_view text);

// The text to write: the first character of each field, joined by "." (an empty field adds nothing
// between its dots).
std::string JoinDeviceVersion(const DeviceVersionFields& fields);

}  // namespace vr::identity
