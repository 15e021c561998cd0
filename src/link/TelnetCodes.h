#pragma once
// The Telnet bytes the network link speaks: commands, the options it negotiates and the port
// server's COM-PORT-OPTION subcommands (a server answers each with the code plus 100).

#include <cstdint>

namespace vr::link::telnet {

inline constexpr uint8_t kSe = 240;
inline constexpr uint8_t kSb = 250;
inline constexpr uint8_t kWill = 251;
inline constexpr uint8_t kWont = 252;
inline constexpr uint8_t kDo = 253;
inline constexpr uint8_t kDont = 254;
inline constexpr uint8_t kIac = 255;

inline constexpr uint8_t kOptBinary = 0;
inline constexpr uint8_t kOptSuppressGoAhead = 3;
inline constexpr uint8_t kOptComPort = 44;

inline constexpr uint8_t kSignature = 0;
inline constexpr uint8_t kSetBaudRate = 1;
inline constexpr uint8_t kSetDataSize = 2;
inline constexpr uint8_t kSetParity = 3;
inline constexpr uint8_t kSetStopSize = 4;
inline constexpr uint8_t kSetControl = 5;
inline constexpr uint8_t kPurgeData = 12;
inline constexpr uint8_t kServerReply = 100;

inline constexpr uint8_t kParityNone = 1;
inline constexpr uint8_t kStopBitsOne = 1;
inline constexpr uint8_t kNoFlowControl = 1;
inline constexpr uint8_t kPurgeBoth = 3;

}  // namespace vr::link::telnet
