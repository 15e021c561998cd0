#include <cstdint>

#include "protocol/ParameterTable.h"

namespace vr::protocol {
namespace {

// ctrlId, cmdId, kind, area, in settings file, min, max, default, page layout, group, label.
// Rows 0 and 178 stand only on layout 116, which is never made into a page.
const ParameterDef kRows[kParameterRowCount + 1] = {
    {1124, 11, ControlKind::Combo, ParamArea::User, false, 0, 0, 0, 116, "", "Baud Rate"},                  // 0 CBDRT
    {1096, 13, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Trigger", "Trigger Mode"},         // 1 TM
    {1098, 14, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Trigger", "Trigger Source"},       // 2 TI
    {1099, 15, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Trigger", "Trigger Activation"},   // 3 TA
    {1186, 16, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Trigger", "Auto Reset Mode"},      // 4 ARS
    {1233, 17, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Exposure", "RB Exp Interlocked"},  // 5 EI
    {1092, 18, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Exposure", "Exposure Mode"},       // 6 TR
    {1224, 19, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Exposure", "Exposure Time Mode"},  // 7 ETM
    {1093, 20, ControlKind::SpinEdit, ParamArea::User, true, 0, 2147483647, 0, 111, "Exposure",
     "Exposure Time"},  // 8 PE
    {1294, 21, ControlKind::SpinEdit, ParamArea::User, true, 0, 2147483647, 0, 111, "Exposure",
     "Exposure Time R"},  // 9 PER
    {1296, 22, ControlKind::SpinEdit, ParamArea::User, true, 0, 2147483647, 0, 111, "Exposure",
     "Exposure Time G"},  // 10 PEG
    {1298, 23, ControlKind::SpinEdit, ParamArea::User, true, 0, 2147483647, 0, 111, "Exposure",
     "Exposure Time B"},                                                                               // 11 PEB
    {1187, 24, ControlKind::SpinEdit, ParamArea::User, true, 0, 2147483647, 0, 111, "", "Line Rate"},  // 12 LR
    {1628, 28, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "Acquisition Linerate Option",
     "Correction Mode"},                                                                                    // 13 LROP
    {1225, 29, ControlKind::SpinEdit, ParamArea::User, true, 8, 4096, 4096, 111, "Image format", "Width"},  // 14 WTC
    {1227, 30, ControlKind::SpinEdit, ParamArea::User, true, 0, 4080, 0, 111, "Image format", "Offset X"},  // 15 OFC
    {1229, 31, ControlKind::SpinEdit, ParamArea::User, true, 1, 2, 1, 111, "Image format", "Binning H"},    // 16 HB
    {1231, 32, ControlKind::SpinEdit, ParamArea::User, true, 1, 2, 1, 111, "Image format", "Binning V"},    // 17 VB
    {1100, 33, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Image format", "Pixel Format"},    // 18 BA
    {1223, 34, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Image format",
     "CL Configuration"},                                                                                  // 19 CLCFG
    {1174, 35, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Image format", "CL Clock"},       // 20 CLCF
    {1290, 36, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 115, "", "Cable Emphasis"},             // 21 SCB
    {1537, 37, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 115, "", "Swap B and R"},               // 22 SWBR
    {1538, 38, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 115, "", "Additional Infomation"},      // 23 ADDI
    {1576, 39, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 115, "", "Exposure Active Source"},     // 24 EAS
    {1119, 40, ControlKind::Combo, ParamArea::User, false, 0, 0, 0, 111, "Image format", "Test Pattern"},  // 25 TPN
    {1259, 41, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Gain and Black",
     "Indivisual Gain Mode"},                                                                            // 26 GM
    {1173, 42, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Gain and Black", "Gain Auto"},  // 27 AGC
    {1665, 43, ControlKind::SpinEdit, ParamArea::User, true, 30, 95, 50, 111, "", "30～95%"},            // 28 AGCF
    {1669, 44, ControlKind::SpinEdit, ParamArea::None, false, 308, 972, 512, 111, "", "30～95%"},        // 29 AGCFV
    {1671, 45, ControlKind::SpinEdit, ParamArea::None, false, 77, 243, 128, 111, "", "30～95%"},         // 30 AGCFV8
    {1041, 47, ControlKind::SpinEdit, ParamArea::User, true, 100, 3200, 100, 111, "Gain and Black",
     "Gain All"},  // 31 GA
    {1246, 48, ControlKind::SpinEdit, ParamArea::User, true, 40, 6400, 100, 111, "Gain and Black",
     "Gain Red"},  // 32 GAR
    {1248, 49, ControlKind::SpinEdit, ParamArea::User, true, 40, 6400, 100, 111, "Gain and Black",
     "Gain Blue"},  // 33 GAB
    {1244, 50, ControlKind::SpinEdit, ParamArea::User, true, 100, 6400, 100, 111, "Gain and Black",
     "Gain Green"},  // 34 GAG
    {1217, 51, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Gain and Black",
     "Analog Base Gain All"},  // 35 SGA
    {1291, 52, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Gain and Black",
     "Analog Base Gain G"},  // 36 SGG
    {1292, 53, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Gain and Black",
     "Analog Base Gain R"},  // 37 SGR
    {1293, 54, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 111, "Gain and Black",
     "Analog Base Gain B"},                                                                                  // 38 SGB
    {1408, 55, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "White Balance", "Mode"},            // 39 AWB
    {1404, 56, ControlKind::SpinEdit, ParamArea::User, true, 8, 4096, 4096, 112, "White Balance", "Width"},  // 40 AWBW
    {1406, 57, ControlKind::SpinEdit, ParamArea::User, true, 0, 4080, 0, 112, "White Balance", "Offset X"},  // 41 AWBO
    {1667, 60, ControlKind::Button, ParamArea::None, false, 0, 0, 0, 112, "", "Auto Setting"},               // 42 AS
    {1139, 61, ControlKind::SpinEdit, ParamArea::User, true, -133, 255, 0, 111, "Gain and Black",
     "Black Level All"},  // 43 BL
    {1234, 62, ControlKind::SpinEdit, ParamArea::User, true, -64, 64, 0, 111, "Gain and Black",
     "Black Level Red"},  // 44 BLR
    {1236, 63, ControlKind::SpinEdit, ParamArea::User, true, -64, 64, 0, 111, "Gain and Black",
     "Black Level Blue"},  // 45 BLB
    {1120, 64, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "Shading Correction",
     "Correction Mode"},                                                                                  // 46 SDM
    {1334, 65, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "Shading Correction", "Method"},  // 47 SDCM
    {1121, 66, ControlKind::Button, ParamArea::None, false, 0, 0, 0, 112, "", "Recalibrate Shading"},     // 48 RS
    {1192, 73, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "Pixel Gain Correction",
     "Correction Mode"},                                                                                  // 49 PGC
    {1193, 74, ControlKind::Button, ParamArea::None, false, 0, 0, 0, 112, "", "Recalibrate Pixel Gain"},  // 50 PGR
    {1184, 76, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "Pixel Black Correction",
     "Correction Mode"},                                                                                   // 51 PBC
    {1183, 77, ControlKind::Button, ParamArea::None, false, 0, 0, 0, 112, "", "Recalibrate Pixel Black"},  // 52 PBR
    {1641, 79, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "FIR Filter", "R"},                // 53 FFR
    {1642, 80, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "FIR Filter", "G"},                // 54 FFG
    {1643, 81, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "FIR Filter", "B"},                // 55 FFB
    {1644, 82, ControlKind::SpinEdit, ParamArea::User, true, -200, 200, 0, 112, "FIR Filter", "R"},        // 56 FFLRR
    {1646, 83, ControlKind::SpinEdit, ParamArea::User, true, -200, 200, 0, 112, "FIR Filter", "G"},        // 57 FFLRG
    {1648, 84, ControlKind::SpinEdit, ParamArea::User, true, -200, 200, 0, 112, "FIR Filter", "B"},        // 58 FFLRB
    {1650, 85, ControlKind::SpinEdit, ParamArea::User, true, -200, 200, 100, 112, "FIR Filter", "R"},      // 59 FFCRR
    {1652, 86, ControlKind::SpinEdit, ParamArea::User, true, -200, 200, 100, 112, "FIR Filter", "G"},      // 60 FFCRG
    {1654, 87, ControlKind::SpinEdit, ParamArea::User, true, -200, 200, 100, 112, "FIR Filter", "B"},      // 61 FFCRB
    {1656, 88, ControlKind::SpinEdit, ParamArea::User, true, -200, 200, 0, 112, "FIR Filter", "R"},        // 62 FFRRR
    {1658, 89, ControlKind::SpinEdit, ParamArea::User, true, -200, 200, 0, 112, "FIR Filter", "G"},        // 63 FFRRG
    {1660, 90, ControlKind::SpinEdit, ParamArea::User, true, -200, 200, 0, 112, "FIR Filter", "B"},        // 64 FFRRB
    {1662, 91, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "MEDIAN Filter", "R"},             // 65 MFR
    {1663, 92, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "MEDIAN Filter", "G"},             // 66 MFG
    {1664, 93, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "MEDIAN Filter", "B"},             // 67 MFB
    {1673, 94, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "Others", "Noise Reduction"},      // 68 NR
    {1116, 95, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 112, "LUT", "LUT selector"},            // 69 LUN
    {1160, 96, ControlKind::SpinEdit, ParamArea::User, false, 0, 256, 0, 112, "LUT", "G"},                 // 70 LUTIG
    {1421, 97, ControlKind::SpinEdit, ParamArea::User, false, 0, 256, 0, 112, "LUT", "R"},                 // 71 LUTIR
    {1425, 98, ControlKind::SpinEdit, ParamArea::User, false, 0, 256, 0, 112, "LUT", "B"},                 // 72 LUTIB
    {1162, 99, ControlKind::SpinEdit, ParamArea::User, false, 0, 4095, 0, 112, "LUT", "G"},                // 73 LUTG
    {1423, 100, ControlKind::SpinEdit, ParamArea::User, false, 0, 4095, 0, 112, "LUT", "R"},               // 74 LUTR
    {1427, 101, ControlKind::SpinEdit, ParamArea::User, false, 0, 4095, 0, 112, "LUT", "B"},               // 75 LUTB
    {1117, 102, ControlKind::SpinEdit, ParamArea::User, true, 45, 100, 45, 112, "LUT", "Gamma Selector"},  // 76 GMA
    {1194, 104, ControlKind::Combo, ParamArea::User, false, 0, 0, 0, 115, "", "Temperature"},              // 77 TMPS0
    {1101, 105, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "TTLOut1"},        // 78 LS0
    {1339, 106, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "TTLOut2"},        // 79 LS1
    {1340, 107, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "TTLOut3"},        // 80 LS2
    {1341, 108, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "TTLOut4"},        // 81 LS3
    {1342, 109, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "Nand0 In1"},      // 82 ND0IN1
    {1343, 110, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "Nand0 In2"},      // 83 ND0IN2
    {1344, 111, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "Nand1 In1"},      // 84 ND1IN1
    {1345, 112, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "Nand1 In2"},      // 85 ND1IN2
    {1346, 113, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "TTLOut1"},        // 86 LI0
    {1347, 114, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "TTLOut2"},        // 87 LI1
    {1348, 115, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "TTLOut3"},        // 88 LI2
    {1349, 116, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "TTLOut4"},        // 89 LI3
    {1350, 117, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "Nand0 In1"},      // 90 ND0INV1
    {1351, 118, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "Nand0 In2"},      // 91 ND0INV2
    {1352, 119, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "Nand1 In1"},      // 92 ND1INV1
    {1353, 120, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Line Source", "Nand1 In2"},      // 93 ND1INV2
    {1195, 121, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 115, "", "Sensor Select"},             // 94 STP
    {1535, 122, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "Color Transformation", "Mode"},  // 95 CTM
    {1536, 123, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "Color Transformation",
     "RGB Mode"},  // 96 CTRM
    {1517, 124, ControlKind::SpinEdit, ParamArea::User, true, -20000, 20000, 10000, 113, "Color Matrix ( User Custom )",
     "Red"},  // 97 CMVRR
    {1519, 125, ControlKind::SpinEdit, ParamArea::User, true, -20000, 20000, 0, 113, "Color Matrix ( User Custom )",
     "Red"},  // 98 CMVRG
    {1521, 126, ControlKind::SpinEdit, ParamArea::User, true, -20000, 20000, 0, 113, "Color Matrix ( User Custom )",
     "Red"},  // 99 CMVRB
    {1523, 127, ControlKind::SpinEdit, ParamArea::User, true, -20000, 20000, 0, 113, "Color Matrix ( User Custom )",
     "Green"},  // 100 CMVGR
    {1525, 128, ControlKind::SpinEdit, ParamArea::User, true, -20000, 20000, 10000, 113, "Color Matrix ( User Custom )",
     "Green"},  // 101 CMVGG
    {1527, 129, ControlKind::SpinEdit, ParamArea::User, true, -20000, 20000, 0, 113, "Color Matrix ( User Custom )",
     "Green"},  // 102 CMVGB
    {1529, 130, ControlKind::SpinEdit, ParamArea::User, true, -20000, 20000, 0, 113, "Color Matrix ( User Custom )",
     "Blue"},  // 103 CMVBR
    {1531, 131, ControlKind::SpinEdit, ParamArea::User, true, -20000, 20000, 0, 113, "Color Matrix ( User Custom )",
     "Blue"},  // 104 CMVBG
    {1533, 132, ControlKind::SpinEdit, ParamArea::User, true, -20000, 20000, 10000, 113, "Color Matrix ( User Custom )",
     "Blue"},                                                                                             // 105 CMVBB
    {1539, 133, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "H Image Mirroring", "Mode"},    // 106 HIM
    {1542, 134, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "Object Direction", "Mode"},     // 107 ODM
    {1543, 135, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "Object Direction", "Source"},   // 108 ODS
    {1548, 136, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "Encoder Control", "Source A"},  // 109 ENCSA
    {1549, 137, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "Encoder Control", "Source B"},  // 110 ENCSB
    {1551, 138, ControlKind::SpinEdit, ParamArea::User, true, INT32_MIN, 2147483647, 1, 113, "Encoder Control",
     "Divider"},  // 111 ENCDIV
    {1580, 139, ControlKind::SpinEdit, ParamArea::User, true, 0, 15, 0, 113, "Encoder Control", "Filter"},  // 112 ENFIL
    {1582, 140, ControlKind::SpinEdit, ParamArea::User, true, 1, 255, 1, 113, "Encoder Control",
     "Strobe"},  // 113 ENSTR
    {1640, 141, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "Encoder Control",
     "Averaging Interval"},  // 114 ENAVE
    {1690, 142, ControlKind::SpinEdit, ParamArea::User, true, -100, 100, 0, 113, "Sub Pixel Shift",
     "Red"},  // 115 SPISR
    {1693, 143, ControlKind::SpinEdit, ParamArea::User, true, -100, 100, 0, 113, "Sub Pixel Shift",
     "Blue"},  // 116 SPISB
    {1560, 144, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "Chromatic Aberration Correction",
     "Mode"},  // 117 CACM
    {1700, 322, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "Chromatic Aberration Correction",
     "ColorSelector"},  // 118
    {1695, 322, ControlKind::Combo, ParamArea::User, true, 0, 0, 1, 113, "Chromatic Aberration Correction",
     "Index"},  // 119
    {1704, 322, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "Chromatic Aberration Correction",
     "SideSelector"},  // 120
    {1696, 322, ControlKind::SpinEdit, ParamArea::User, true, -1000, 1000, 0, 113, "Chromatic Aberration Correction",
     "Ratio"},  // 121
    {1702, 322, ControlKind::SpinEdit, ParamArea::User, true, -80, 80, 0, 113, "Chromatic Aberration Correction",
     "Value"},  // 122
    {1703, 322, ControlKind::SpinEdit, ParamArea::User, true, 10, 100, 0, 113, "Chromatic Aberration Correction",
     "Coeff"},  // 123
    {1699, 322, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "Chromatic Aberration Correction",
     "SyncMode"},  // 124
    {1701, 322, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "Chromatic Aberration Correction",
     "Method"},                                                                                             // 125
    {1698, 321, ControlKind::Button, ParamArea::User, true, 0, 0, 0, 113, "", "Save"},                      // 126 CACS
    {1565, 323, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 113, "Spartial Compensation", "Mode"},  // 127 SPCM
    {1566, 324, ControlKind::SpinEdit, ParamArea::User, true, 0, 800, 0, 113, "Spartial Compensation",
     "Red"},  // 128 SPCR16
    {1568, 325, ControlKind::SpinEdit, ParamArea::User, true, 0, 800, 0, 113, "Spartial Compensation",
     "Green"},  // 129 SPCG16
    {1570, 326, ControlKind::SpinEdit, ParamArea::User, true, 0, 800, 0, 113, "Spartial Compensation",
     "Blue"},  // 130 SPCB16
    {1578, 327, ControlKind::SpinEdit, ParamArea::User, true, 50, 200, 100, 113, "Spartial Compensation",
     "Distance"},  // 131 SPCD16
    {1354, 328, ControlKind::SpinEdit, ParamArea::User, true, 1, 1048575, 30000, 114, "Pulse Generator 0",
     "Length"},  // 132 PGL0
    {1356, 329, ControlKind::SpinEdit, ParamArea::User, true, 0, 1048574, 0, 114, "Pulse Generator 0",
     "Start"},  // 133 PGST0
    {1358, 330, ControlKind::SpinEdit, ParamArea::User, true, 1, 1048575, 15000, 114, "Pulse Generator 0",
     "End"},  // 134 PGEN0
    {1360, 331, ControlKind::SpinEdit, ParamArea::User, true, 0, 255, 0, 114, "Pulse Generator 0",
     "Repeat"},  // 135 PGRPT0
    {1362, 332, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 0",
     "Activation"},                                                                                       // 136 PGCM0
    {1363, 333, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 0", "Source"},  // 137 PGIN0
    {1364, 334, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 0",
     "Inverter"},                                                                                       // 138 PGINV0
    {1365, 335, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 0", "Sync"},  // 139 PGSM0
    {1366, 336, ControlKind::SpinEdit, ParamArea::User, true, 1, 1048575, 30000, 114, "Pulse Generator 1",
     "Length"},  // 140 PGL1
    {1368, 337, ControlKind::SpinEdit, ParamArea::User, true, 0, 1048574, 0, 114, "Pulse Generator 1",
     "Start"},  // 141 PGST1
    {1370, 338, ControlKind::SpinEdit, ParamArea::User, true, 1, 1048575, 15000, 114, "Pulse Generator 1",
     "End"},  // 142 PGEN1
    {1372, 339, ControlKind::SpinEdit, ParamArea::User, true, 0, 255, 0, 114, "Pulse Generator 1",
     "Repeat"},  // 143 PGRPT1
    {1374, 340, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 1",
     "Activation"},                                                                                       // 144 PGCM1
    {1375, 341, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 1", "Source"},  // 145 PGIN1
    {1376, 342, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 1",
     "Inverter"},                                                                                       // 146 PGINV1
    {1377, 343, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 1", "Sync"},  // 147 PGSM1
    {1378, 344, ControlKind::SpinEdit, ParamArea::User, true, 1, 1048575, 30000, 114, "Pulse Generator 2",
     "Length"},  // 148 PGL2
    {1380, 345, ControlKind::SpinEdit, ParamArea::User, true, 0, 1048574, 0, 114, "Pulse Generator 2",
     "Start"},  // 149 PGST2
    {1382, 346, ControlKind::SpinEdit, ParamArea::User, true, 1, 1048575, 15000, 114, "Pulse Generator 2",
     "End"},  // 150 PGEN2
    {1384, 347, ControlKind::SpinEdit, ParamArea::User, true, 0, 255, 0, 114, "Pulse Generator 2",
     "Repeat"},  // 151 PGRPT2
    {1386, 348, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 2",
     "Activation"},                                                                                       // 152 PGCM2
    {1387, 349, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 2", "Source"},  // 153 PGIN2
    {1388, 350, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 2",
     "Inverter"},                                                                                       // 154 PGINV2
    {1389, 351, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 2", "Sync"},  // 155 PGSM2
    {1390, 352, ControlKind::SpinEdit, ParamArea::User, true, 1, 1048575, 30000, 114, "Pulse Generator 3",
     "Length"},  // 156 PGL3
    {1392, 353, ControlKind::SpinEdit, ParamArea::User, true, 0, 1048574, 0, 114, "Pulse Generator 3",
     "Start"},  // 157 PGST3
    {1394, 354, ControlKind::SpinEdit, ParamArea::User, true, 1, 1048575, 15000, 114, "Pulse Generator 3",
     "End"},  // 158 PGEN3
    {1396, 355, ControlKind::SpinEdit, ParamArea::User, true, 0, 255, 0, 114, "Pulse Generator 3",
     "Repeat"},  // 159 PGRPT3
    {1398, 356, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 3",
     "Activation"},                                                                                       // 160 PGCM3
    {1399, 357, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 3", "Source"},  // 161 PGIN3
    {1400, 358, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 3",
     "Inverter"},                                                                                          // 162 PGINV3
    {1401, 359, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "Pulse Generator 3", "Sync"},     // 163 PGSM3
    {1402, 360, ControlKind::SpinEdit, ParamArea::User, true, 1, 4096, 1, 114, "", "PG Clock PreScaler"},  // 164 PGDEV
    {1438, 361, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "", "Opt In Filter Selector"},    // 165 OPTFL
    {1434, 362, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "User Output", "0"},              // 166 USC0
    {1435, 363, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "User Output", "1"},              // 167 USC1
    {1436, 364, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "User Output", "2"},              // 168 USC2
    {1437, 365, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 114, "User Output", "3"},              // 169 USC3
    {1439, 366, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 115, "Counter 0", "Source"},           // 170 CE0
    {1440, 367, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 115, "Counter 0", "Activation"},       // 171 CEA0
    {1445, 371, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 115, "Counter 1", "Source"},           // 172 CE1
    {1446, 372, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 115, "Counter 1", "Activation"},       // 173 CEA1
    {1451, 376, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 115, "Counter 2", "Source"},           // 174 CE2
    {1452, 377, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 115, "Counter 2", "Activation"},       // 175 CEA2
    {1457, 381, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 115, "Counter 3", "Source"},           // 176 CE3
    {1458, 382, ControlKind::Combo, ParamArea::User, true, 0, 0, 0, 115, "Counter 3", "Activation"},       // 177 CEA3
    {1126, 389, ControlKind::Button, ParamArea::None, false, 0, 0, 0, 116, "",
     "Save Settings into Factory Area"},                                                            // 178 SA00
    {1128, 394, ControlKind::Combo, ParamArea::Factory, false, 0, 0, 0, 117, "", "Boot Area Set"},  // 179 BAS00
    {1255, 395, ControlKind::SpinEdit, ParamArea::Factory, true, 8192, 131072, 8192, 117, "Factory Gain",
     "Red"},  // 180 GAOR
    {1250, 396, ControlKind::SpinEdit, ParamArea::Factory, true, 8192, 131072, 8192, 117, "Factory Gain",
     "Green"},  // 181 GAOG
    {1257, 397, ControlKind::SpinEdit, ParamArea::Factory, true, 8192, 131072, 8192, 117, "Factory Gain",
     "Blue"},  // 182 GAOB
    {1600, 398, ControlKind::SpinEdit, ParamArea::Factory, true, -4096, 4095, 0, 117, "Factory Gain Adjust",
     "Red"},  // 183 GAORJ
    {1598, 399, ControlKind::SpinEdit, ParamArea::Factory, true, -4096, 4095, 0, 117, "Factory Gain Adjust",
     "Green"},  // 184 GAOGJ
    {1602, 400, ControlKind::SpinEdit, ParamArea::Factory, true, -4096, 4095, 0, 117, "Factory Gain Adjust",
     "Blue"},  // 185 GAOBJ
    {1240, 401, ControlKind::SpinEdit, ParamArea::Factory, true, 0, 255, 133, 117, "Factory Black", "Red"},  // 186 OBR
    {1238, 402, ControlKind::SpinEdit, ParamArea::Factory, true, 0, 255, 133, 117, "Factory Black",
     "Green"},                                                                                                // 187 OBG
    {1242, 403, ControlKind::SpinEdit, ParamArea::Factory, true, 0, 255, 133, 117, "Factory Black", "Blue"},  // 188 OBB
    {1268, 404, ControlKind::SpinEdit, ParamArea::Factory, true, 8192, 131072, 8192, 117, "Factory Gain Type A",
     "Red"},  // 189 GAORA
    {1266, 405, ControlKind::SpinEdit, ParamArea::Factory, true, 8192, 131072, 8192, 117, "Factory Gain Type A",
     "Green"},  // 190 GAOGA
    {1270, 406, ControlKind::SpinEdit, ParamArea::Factory, true, 8192, 131072, 8192, 117, "Factory Gain Type A",
     "Blue"},  // 191 GAOBA
    {1606, 407, ControlKind::SpinEdit, ParamArea::Factory, true, -4096, 4095, 0, 117, "Factory Gain Adjust A",
     "Red"},  // 192 GAORAJ
    {1604, 408, ControlKind::SpinEdit, ParamArea::Factory, true, -4096, 4095, 0, 117, "Factory Gain Adjust A",
     "Green"},  // 193 GAOGAJ
    {1608, 409, ControlKind::SpinEdit, ParamArea::Factory, true, -4096, 4095, 0, 117, "Factory Gain Adjust A",
     "Blue"},  // 194 GAOBAJ
    {1274, 410, ControlKind::SpinEdit, ParamArea::Factory, true, 8192, 131072, 8192, 117, "Factory Gain Type B",
     "Red"},  // 195 GAORB
    {1272, 411, ControlKind::SpinEdit, ParamArea::Factory, true, 8192, 131072, 8192, 117, "Factory Gain Type B",
     "Green"},  // 196 GAOGB
    {1276, 412, ControlKind::SpinEdit, ParamArea::Factory, true, 8192, 131072, 8192, 117, "Factory Gain Type B",
     "Blue"},  // 197 GAOBB
    {1612, 413, ControlKind::SpinEdit, ParamArea::Factory, true, -4096, 4095, 0, 117, "Factory Gain Adjust B",
     "Red"},  // 198 GAORBJ
    {1610, 414, ControlKind::SpinEdit, ParamArea::Factory, true, -4096, 4095, 0, 117, "Factory Gain Adjust B",
     "Green"},  // 199 GAOGBJ
    {1614, 415, ControlKind::SpinEdit, ParamArea::Factory, true, -4096, 4095, 0, 117, "Factory Gain Adjust B",
     "Blue"},  // 200 GAOBBJ
    {1280, 416, ControlKind::SpinEdit, ParamArea::Factory, true, 0, 255, 133, 117, "Factory Black Type A",
     "Red"},  // 201 OBRA
    {1278, 417, ControlKind::SpinEdit, ParamArea::Factory, true, 0, 255, 133, 117, "Factory Black Type A",
     "Green"},  // 202 OBGA
    {1282, 418, ControlKind::SpinEdit, ParamArea::Factory, true, 0, 255, 133, 117, "Factory Black Type A",
     "Blue"},  // 203 OBBA
    {1286, 419, ControlKind::SpinEdit, ParamArea::Factory, true, 0, 255, 133, 117, "Factory Black Type B",
     "Red"},  // 204 OBRB
    {1284, 420, ControlKind::SpinEdit, ParamArea::Factory, true, 0, 255, 133, 117, "Factory Black Type B",
     "Green"},  // 205 OBGB
    {1288, 421, ControlKind::SpinEdit, ParamArea::Factory, true, 0, 255, 133, 117, "Factory Black Type B",
     "Blue"},  // 206 OBBB
    {1409, 422, ControlKind::SpinEdit, ParamArea::Factory, true, 40, 400, 100, 117, "Preset Gain",
     "5000K"},  // 207 WB0R
    {1411, 423, ControlKind::SpinEdit, ParamArea::Factory, true, 40, 400, 100, 117, "Preset Gain",
     "5000K"},  // 208 WB0B
    {1413, 424, ControlKind::SpinEdit, ParamArea::Factory, true, 40, 400, 100, 117, "Preset Gain",
     "6500K"},  // 209 WB1R
    {1415, 425, ControlKind::SpinEdit, ParamArea::Factory, true, 40, 400, 100, 117, "Preset Gain",
     "6500K"},  // 210 WB1B
    {1417, 426, ControlKind::SpinEdit, ParamArea::Factory, true, 40, 400, 100, 117, "Preset Gain",
     "7500K"},  // 211 WB2R
    {1419, 427, ControlKind::SpinEdit, ParamArea::Factory, true, 40, 400, 100, 117, "Preset Gain",
     "7500K"},  // 212 WB2B
    {1633, 428, ControlKind::SpinEdit, ParamArea::Factory, true, 0, 255, 80, 117, "Cable Emphasis",
     "Normal"},  // 213 SCBN
    {1635, 429, ControlKind::SpinEdit, ParamArea::Factory, true, 0, 255, 120, 117, "Cable Emphasis",
     "Medium"},  // 214 SCBM
    {1637, 430, ControlKind::SpinEdit, ParamArea::Factory, true, 0, 255, 180, 117, "Cable Emphasis",
     "Strong"},  // 215 SCBS
    {1678, 431, ControlKind::SpinEdit, ParamArea::Factory, true, -10, 10, 0, 117, "Chromatic Aberration Adjust",
     "Red"},  // 216 CACRJ
    {1680, 432, ControlKind::SpinEdit, ParamArea::Factory, true, -10, 10, 0, 117, "Chromatic Aberration Adjust",
     "Green"},  // 217 CACGJ
    {1682, 433, ControlKind::SpinEdit, ParamArea::Factory, true, -10, 10, 0, 117, "Chromatic Aberration Adjust",
     "Blue"},  // 218 CACBJ
    {1674, 434, ControlKind::SpinEdit, ParamArea::Factory, true, 0, 16777215, 1000, 117, "Others",
     "NR Threshold"},                                                                                       // 219 NRL
    {1197, 437, ControlKind::Button, ParamArea::None, false, 0, 0, 0, 117, "", "Recalibrate Pixel Gain"},   // 220 PGR00
    {1198, 439, ControlKind::Button, ParamArea::None, false, 0, 0, 0, 117, "", "Recalibrate Pixel Black"},  // 221 PBR00
    {kTerminatorCtrlId, 0, ControlKind::Button, ParamArea::None, false, 0, 0, 0, 0, "", ""},
};

}  // namespace

const ParameterDef* ParameterDefs() {
    return kRows;
}

}  // namespace vr::protocol
