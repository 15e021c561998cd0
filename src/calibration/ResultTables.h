#pragma once
// The result codes the camera reports after its one-push functions and the texts the operator reads
// for them. Every code a table does not list reads "Unknown Result".

#include <cstdint>
#include <span>
#include <string>

namespace vr::calibration {

struct ResultEntry {
    int32_t code;
    const char* text;
};

enum class ResultTable {
    WhiteBalance,   // "AWRS", "AHRS"
    GainAuto,       // "AGCS"
    Recalibration,  // "PGS", "PBS", "PGS00", "PBS00"
    Shading,        // "SDRS"
};

inline constexpr const char* kUnknownResult = "Unknown Result";

inline constexpr int32_t kWhiteBalanceSucceeded = 1;
// The camera ran out of time but left a usable balance: Auto Setting goes on after it.
inline constexpr int32_t kWhiteBalanceTimedOut = 4;
inline constexpr int32_t kGainAutoSucceeded = 1;
inline constexpr int32_t kRecalibrationBusy = 0;
inline constexpr int32_t kRecalibrationSucceeded = 1;
inline constexpr int32_t kShadingComplete = 4;

// A table's rows in code order.
std::span<const ResultEntry> ResultRows(ResultTable table);
// The text of a code.
std::string ResultText(ResultTable table, int32_t code);

}  // namespace vr::calibration
