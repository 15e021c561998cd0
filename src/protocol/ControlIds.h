#pragma once
// The control ids the main window's logic names, so a handler reads as "line rate" instead of 1187.

#include <cstdint>

namespace vr::protocol::id {

// User A
inline constexpr uint32_t kExposureMode = 1092, kExposureTime = 1093, kExposureTimeSpin = 1094;
inline constexpr uint32_t kTriggerMode = 1096, kTriggerSource = 1098, kTriggerActivation = 1099;
inline constexpr uint32_t kAutoResetMode = 1186;
inline constexpr uint32_t kExposureTimeMode = 1224;
inline constexpr uint32_t kExposureTimeR = 1294, kExposureTimeG = 1296, kExposureTimeB = 1298;
inline constexpr uint32_t kExposureTimeGSpin = 1297;
inline constexpr uint32_t kLineRate = 1187, kLineRateSpin = 1188;
inline constexpr uint32_t kLinePeriodText = 1215, kLineFrequencyText = 1216;
inline constexpr uint32_t kMinLinePeriodText = 1218, kReadMinLinePeriod = 1219;
inline constexpr uint32_t kExposureMaxText = 1220, kExposureMinText = 1221, kReadExposureLimits = 1222;
inline constexpr uint32_t kWidth = 1225, kWidthSpin = 1226, kOffsetX = 1227, kOffsetXSpin = 1228;
inline constexpr uint32_t kBinningH = 1229, kBinningHSpin = 1230;
inline constexpr uint32_t kPixelFormat = 1100, kClConfiguration = 1223, kClClock = 1174, kSensorSelect = 1195;
inline constexpr uint32_t kIndividualGainMode = 1259, kGainAuto = 1173, kAnalogBaseGainAll = 1217;
inline constexpr uint32_t kGainAll = 1041, kGainAllSpin = 1045, kGainGreen = 1244, kGainGreenSpin = 1245;
inline constexpr uint32_t kGainRed = 1246, kGainRedSpin = 1247, kGainBlue = 1248, kGainBlueSpin = 1249;
inline constexpr uint32_t kGainLevel = 1665, kGainLevelSpin = 1666;  // "AGCF", percent
inline constexpr uint32_t kGainLevel10 = 1669, kGainLevel8 = 1671;   // "AGCFV", "AGCFV8"

// User B
inline constexpr uint32_t kLutMode = 1116, kGamma = 1117, kGammaSpin = 1118, kGammaLabel = 1141;
inline constexpr uint32_t kOpenLutTable = 1132;
inline constexpr uint32_t kLutIndexG = 1160, kLutValueG = 1162, kLutReadG = 1164, kLutWriteG = 1165;
inline constexpr uint32_t kLutIndexR = 1421, kLutValueR = 1423, kLutReadR = 1430, kLutWriteR = 1431;
inline constexpr uint32_t kLutIndexB = 1425, kLutValueB = 1427, kLutReadB = 1432, kLutWriteB = 1433;
inline constexpr uint32_t kShadingMode = 1120, kRecalibrateShading = 1121;
inline constexpr uint32_t kPixelBlackMode = 1184, kRecalibratePixelBlack = 1183;
inline constexpr uint32_t kPixelGainMode = 1192, kRecalibratePixelGain = 1193;
inline constexpr uint32_t kShadingToFile = 1336, kShadingFromFile = 1337, kShadingToFlash = 1338;
inline constexpr uint32_t kWhiteBalance = 1408, kWbWidth = 1404, kWbWidthSpin = 1405;
inline constexpr uint32_t kWbOffset = 1406, kWbOffsetSpin = 1407;
inline constexpr uint32_t kLineRateOption = 1628, kAutoSetting = 1667;
inline constexpr uint32_t kFirFilterG = 1646, kMedianFilterG = 1663;

// User C: chromatic aberration correction
inline constexpr uint32_t kCaMode = 1560, kCaPoint = 1695, kCaRatio = 1696, kCaSave = 1698;
inline constexpr uint32_t kCaSyncMode = 1699, kCaColour = 1700, kCaMethod = 1701;
inline constexpr uint32_t kCaValue = 1702, kCaCoefficient = 1703, kCaSide = 1704;
inline constexpr uint32_t kCaRatioSpin = 1562, kCaValueSpin = 1564, kCaCoefficientSpin = 1585;

// User D: line sources
inline constexpr uint32_t kTtlOut1 = 1101, kTtlOut2 = 1339, kNand0In1 = 1342;

// User E
inline constexpr uint32_t kTemperature = 1049, kGetTemperature = 1125;
// Counters 0 and 2 of the page's counters (each counter's ids are six after the one before).
inline constexpr uint32_t kCounter0Reset = 1441, kCounter0Value = 1443, kCounter0Status = 1444;
inline constexpr uint32_t kCounter2Read = 1454, kCounter2Value = 1455, kCounter2Status = 1456;

// Factory A
inline constexpr uint32_t kTerminal = 1010, kCameraReset = 1012, kSetModelId = 1014, kStoreAll = 1021;
inline constexpr uint32_t kModelDisplay = 1142, kNrThreshold = 1674;
inline constexpr uint32_t kFactoryGainRed = 1255, kFactoryGainTypeARed = 1268;
inline constexpr uint32_t kFactoryPixelGain = 1197, kFactoryPixelBlack = 1198;
inline constexpr uint32_t kWriteXmlVersion = 1181, kReadXmlVersion = 1182;
// The XML version's three one-digit boxes: hundreds, tens, units.
inline constexpr uint32_t kXmlVersionDigits[3] = {1178, 1179, 1180};

// The camera's baud rate row ("CBDRT"), which stands on no page of the main window.
inline constexpr uint32_t kBaudRate = 1124;

}  // namespace vr::protocol::id
