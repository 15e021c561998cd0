#include "journal/Clock.h"

#include <cstdio>
#include <ctime>
#include <regex>

namespace vr::journal {

std::string FormatTime(std::chrono::system_clock::time_point at) {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(at.time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm utc{};
    if (gmtime_r(&seconds, &utc) == nullptr) return {};
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(ms % 1000));
    return text;
}

std::optional<std::string> ParseTime(const std::string& text, std::chrono::system_clock::time_point now) {
    static const std::regex span(R"(([0-9]{1,6})([dhm]))");
    static const std::regex stamp(
        R"(([0-9]{4})-([0-9]{2})-([0-9]{2})(?:[T ]([0-9]{2}):([0-9]{2})(?::([0-9]{2}))?)?Z?)");
    std::smatch m;
    if (std::regex_match(text, m, span)) {
        const long n = std::stol(m[1]);
        const std::chrono::minutes unit = m[2] == "d"   ? std::chrono::hours(24)
                                          : m[2] == "h" ? std::chrono::hours(1)
                                                        : std::chrono::minutes(1);
        return FormatTime(now - n * unit);
    }
    if (!std::regex_match(text, m, stamp)) return std::nullopt;
    const int month = std::stoi(m[2]), day = std::stoi(m[3]);
    const int hour = m[4].matched ? std::stoi(m[4]) : 0, minute = m[5].matched ? std::stoi(m[5]) : 0;
    const int second = m[6].matched ? std::stoi(m[6]) : 0;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    char out[96];
    std::snprintf(out, sizeof out, "%s-%02d-%02dT%02d:%02d:%02d.000Z", m[1].str().c_str(), month, day, hour, minute,
                  second);
    return std::string(out);
}

}  // namespace vr::journal
