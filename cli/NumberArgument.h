#pragma once
// The numbers given on vr8200ctl's command line (a memory area, an XML version, a wait, a rate, a
// port index): whole decimal numbers, read here and nowhere else. CLI11's own conversion reads "0x2"
// as 2 and "010" as 8, and std::stoi read the same texts as 0 and 10 afterwards, so a check could
// pass one number and another was sent. Here the text is read once, whole, or refused (exit 2).

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vr::cli {

struct Options;

// The whole text as a decimal number within lo..hi: digits only, with a '-' in front only where lo
// is negative; leading zeros change nothing ("010" is ten). Nothing for any other text.
std::optional<int64_t> ReadDecimal(std::string_view text, int64_t lo, int64_t hi);

// Adds an option ("--wait") or a positional ("N") that takes such a number within lo..hi, or, when
// `allowed` is not empty, one of those. The number read lands in options.numbers under `key`; any
// other text stops the parse with a usage error.
CLI::Option* AddNumber(CLI::App& app, const std::string& name, const std::string& description, Options& options,
                       const std::string& key, int64_t lo, int64_t hi, std::vector<int64_t> allowed = {});

}  // namespace vr::cli
