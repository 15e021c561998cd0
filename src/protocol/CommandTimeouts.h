#pragma once
// How long a set of a command may take, for callers that send any command the operator names (the
// command line's "set"): most take 5 s, a one-push start or a memory-area store takes far longer.

#include <chrono>
#include <cstdint>

namespace vr::protocol {

// How long an ordinary set or query may take.
inline constexpr std::chrono::milliseconds kOrdinaryTimeout{5000};

std::chrono::milliseconds SetTimeout(uint32_t cmdId);

// Commands that start a one-push function whose result must be polled or read afterwards ("RS",
// "AS", the pixel recalibrations): a bare set of one tells the operator nothing.
bool StartsOnePush(uint32_t cmdId);

}  // namespace vr::protocol
