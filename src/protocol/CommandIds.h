#pragma once
// Command ids the tool and the virtual camera name directly: positions in the command table, named
// once here. tests/protocol pins every name against the table's mnemonic.

#include <cstdint>

namespace vr::protocol::cmd {

inline constexpr uint32_t EB = 0, ST = 1, HP = 2, VN = 3, FPVN = 4, ID = 5, UD = 6, DVN = 7, MD = 8, DV = 9;
inline constexpr uint32_t SBDRT = 10, CBDRT = 11, CRS00 = 12, EI = 17, ETM = 19;
inline constexpr uint32_t PE = 20, PER = 21, PEG = 22, PEB = 23, LR = 24, LRMIN = 25, PEMAX = 26, PEMIN = 27;
inline constexpr uint32_t LROP = 28, WTC = 29, OFC = 30, HB = 31, BA = 33, CLCFG = 34, CLCF = 35, GM = 41;
inline constexpr uint32_t AGC = 42, AGCF = 43, AGCFV = 44, AGCFV8 = 45, AGCS = 46;
inline constexpr uint32_t GA = 47, GAR = 48, GAB = 49, GAG = 50;
inline constexpr uint32_t AWB = 55, AWBW = 56, AWBO = 57, AWRS = 58, AHRS = 59, AS = 60;
inline constexpr uint32_t SDM = 64, RS = 66, SDRS = 67, SDDS = 68, SDDI = 69, SDD = 70, SDDU = 71, SDDA = 72;
inline constexpr uint32_t PGR = 74, PGS = 75, PBR = 77, PBS = 78;
inline constexpr uint32_t LUTIG = 96, LUTIR = 97, LUTIB = 98, LUTG = 99, LUTR = 100, LUTB = 101, GMA = 102;
inline constexpr uint32_t TMP0 = 103, STP = 121;

// Chromatic aberration correction, per lens m = 0..3: sync mode, value (red, blue; right side red,
// blue), method, ratios of the left or common side (red, blue; index 0..8) and of the right side
// (red, blue; index 1..8), coefficients (left red, blue; right red, blue).
inline constexpr uint32_t CACM = 144, CACSM = 145, CACR = 149, CACB = 153, CACRR = 157, CACRB = 161;
inline constexpr uint32_t CACMT = 165, RatioLeftRed = 169, RatioLeftBlue = 205, RatioRightRed = 241;
inline constexpr uint32_t RatioRightBlue = 273, CoeffLeftRed = 305, CoeffLeftBlue = 309, CoeffRightRed = 313;
inline constexpr uint32_t CoeffRightBlue = 317, CACS = 321, Unnamed = 322;
inline constexpr uint32_t CacFirst = 145, CacLast = 320;

// Counters n = 0..3: id + 5 n.
inline constexpr uint32_t CE = 366, CEA = 367, CR = 368, CV = 369, CS = 370;

inline constexpr uint32_t LD = 386, SA = 387, EA = 388, SA00 = 389, ST00 = 390, ULCK = 391, ID00 = 392;
inline constexpr uint32_t MD00 = 393, BAS00 = 394, WB0R = 422, WB0B = 423;
inline constexpr uint32_t SDR00 = 435, SDS00 = 436, PGR00 = 437, PGS00 = 438, PBR00 = 439, PBS00 = 440;
inline constexpr uint32_t XMLVR = 441, DV00 = 442, GA00 = 443, PGC00 = 444, PBC00 = 445;

}  // namespace vr::protocol::cmd
