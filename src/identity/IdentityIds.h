#pragma once
// The ids of the device information dialog (template 102), the camera ID editor (103) and the user ID
// editor (110), and the menu commands that open them.

#include <array>
#include <cstdint>

namespace vr::identity {

inline constexpr uint32_t kMenuEditUserId = 30000;
inline constexpr uint32_t kMenuAbout = 30001;
inline constexpr uint32_t kMenuEditCameraId = 30005;

namespace about {
inline constexpr uint32_t kTemplateId = 102;
inline constexpr uint32_t kToolName = 1000;
inline constexpr uint32_t kToolVersion = 1002;
inline constexpr uint32_t kFirmware = 1022;
inline constexpr uint32_t kCameraId = 1023;
inline constexpr uint32_t kModelName = 1024;
inline constexpr uint32_t kUserId = 1028;
inline constexpr uint32_t kViewHelpFile = 1043;
inline constexpr uint32_t kStrip = 1064;
inline constexpr uint32_t kLink = 1081;
inline constexpr uint32_t kFpga = 1082;
inline constexpr uint32_t kSaveUserId = 1083;
inline constexpr uint32_t kProtectUserId = 1084;
inline constexpr uint32_t kEnableUserIdEdit = 1085;
inline constexpr uint32_t kHelpFiles = 1087;
inline constexpr std::array<uint32_t, 4> kDeviceVersion = {1149, 1150, 1151, 1152};
inline constexpr uint32_t kSaveDeviceVersion = 1153;
}  // namespace about

namespace cameraid {
inline constexpr uint32_t kTemplateId = 103;
// Left to right; the tenth field breaks the run of ids.
inline constexpr std::array<uint32_t, 10> kFields = {1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1042};
inline constexpr uint32_t kSave = 1050;
inline constexpr uint32_t kStrip = 1065;
}  // namespace cameraid

namespace userid {
inline constexpr uint32_t kTemplateId = 110;
inline constexpr uint32_t kEdit = 1039;
inline constexpr uint32_t kSave = 1040;
inline constexpr uint32_t kStrip = 1068;
}  // namespace userid

}  // namespace vr::identity
