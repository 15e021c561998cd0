#include "NumberArgument.h"

#include <algorithm>
#include <limits>

#include "Options.h"
#include "protocol/Command.h"

namespace vr::cli {

std::optional<int64_t> ReadDecimal(std::string_view text, int64_t lo, int64_t hi) {
    const bool negative = !text.empty() && text[0] == '-' && lo < 0;
    const std::string_view digits = negative ? text.substr(1) : text;
    if (digits.empty()) return std::nullopt;
    // Beyond the widest range asked for (and far below where 64 bits end) nothing can be in range.
    constexpr int64_t kCap = std::numeric_limits<int64_t>::max() / 10 - 9;
    int64_t v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        if (v > kCap) return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (negative) v = -v;
    if (v < lo || v > hi) return std::nullopt;
    return v;
}

CLI::Option* AddNumber(CLI::App& app, const std::string& name, const std::string& description, Options& options,
                       const std::string& key, int64_t lo, int64_t hi, std::vector<int64_t> allowed) {
    // "[0 - 3]" or "{9600,19200}", as the help shows CLI11's own checks (the completion reads the latter).
    std::string range = "[" + std::to_string(lo) + " - " + std::to_string(hi) + "]";
    if (!allowed.empty()) {
        range.clear();
        for (int64_t v : allowed) range += (range.empty() ? "{" : ",") + std::to_string(v);
        range += "}";
    }
    auto read = [lo, hi, allowed](const std::string& text) -> std::optional<int64_t> {
        const auto v = ReadDecimal(text, lo, hi);
        if (v && !allowed.empty() && std::find(allowed.begin(), allowed.end(), *v) == allowed.end())
            return std::nullopt;
        return v;
    };
    CLI::Validator check(
        [read, range](std::string& text) {
            return read(text)
                       ? std::string()
                       : "\"" + protocol::Command::Printable(text) + "\" is not a whole decimal number in " + range;
        },
        range, "DECIMAL");
    return app
        .add_option_function<std::string>(
            name, [&options, key, read](const std::string& text) { options.numbers[key] = *read(text); }, description)
        ->type_name(lo < 0 ? "INT" : "UINT")
        ->check(check);
}

}  // namespace vr::cli
