#pragma once
// The journal's times: UTC in ISO 8601 with milliseconds, which sort as text in time order.

#include <chrono>
#include <optional>
#include <string>

namespace vr::journal {

std::string FormatTime(std::chrono::system_clock::time_point at);
inline std::string Now() {
    return FormatTime(std::chrono::system_clock::now());
}

// A time as `history --since` and `prune --before` take it, in the journal's form: a UTC date
// ("2026-12-01"), a date and time ("2026-12-01T08:00", "2026-12-01 08:00:30", an optional "Z"), or
// a span back from `now` ("90d", "12h", "30m"). Nothing for anything else.
std::optional<std::string> ParseTime(const std::string& text, std::chrono::system_clock::time_point now);

}  // namespace vr::journal
