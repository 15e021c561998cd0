#pragma once
// The numbers behind the virtual camera's behaviour, in one place.

#include <cstdint>

namespace vr::sim::camera {

// What the camera ships with where the tool's own starting values would make no sense for a
// running camera: a line period and exposures of zero. Times are in units of 10 ns.
inline constexpr int32_t kFactoryLinePeriod = 20000;  // 200 us, 5 kHz; every image format fits into it
inline constexpr int32_t kFactoryExposure = 8000;     // 80 us
inline constexpr int32_t kFactoryCoefficient = 50;
inline constexpr int32_t kFactoryXmlVersion = 100;

inline constexpr const char* kFirmwareVersion = "3.1.0.2";
inline constexpr const char* kFpgaVersion = "1.0.4.0";
inline constexpr const char* kVendorName = "VR-8200";
inline constexpr const char* kFactoryCameraId = "2400012345";
inline constexpr const char* kFactoryUserId = "";
inline constexpr const char* kFactoryDeviceVersion = "1.0.0.0";

// The sensor needs 1 us of exposure at least, and an exposure must end 1 us before the next line.
inline constexpr int32_t kExposureMin = 100;
inline constexpr int32_t kExposureGap = 100;
// Time a line needs besides moving its pixels out; "LROP" Mode2 on the KB halves it.
inline constexpr int32_t kLineOverhead = 200;
inline constexpr int32_t kSensorPixels = 4096;

inline constexpr int32_t kStartTemperature = 35;  // degrees Celsius at power-up, rising a degree a minute
inline constexpr int32_t kMaxTemperature = 48;

// Shading correction gains: 4096 is a gain of 1.
inline constexpr int32_t kShadingUnity = 4096;
inline constexpr int32_t kShadingMax = 8191;

// The scene in front of the lens: at gain 100 and an exposure of 80 us the green channel sees a
// quarter of full scale; red needs 1.25 times green's gain and blue 0.8 times to come out white.
inline constexpr int32_t kSceneLevel = 250;  // per mille of full scale
inline constexpr int32_t kSceneExposure = 8000;
inline constexpr int32_t kRedNeedPercent = 125;
inline constexpr int32_t kBlueNeedPercent = 80;
inline constexpr int32_t kSceneTooDark = 20;     // per mille: calibrations give up below
inline constexpr int32_t kSceneTooBright = 950;  // and above

// Result codes, and what the codes read before their function first ran.
inline constexpr int32_t kWhiteBalanceOk = 1, kWhiteBalanceBright = 2, kWhiteBalanceDark = 3;
inline constexpr int32_t kWhiteBalanceTimeout = 4, kWhiteBalanceIdle = 5;
inline constexpr int32_t kGainAutoOk = 1, kGainAutoLimit = 3, kGainAutoIdle = 4;
inline constexpr int32_t kShadingDark = 1, kShadingBright = 2, kShadingOk = 4;
inline constexpr int32_t kRecalibrateBusy = 0, kRecalibrateOk = 1, kRecalibrateBright = 2, kRecalibrateDark = 3;

}  // namespace vr::sim::camera
