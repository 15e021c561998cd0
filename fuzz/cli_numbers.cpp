// The numbers of vr8200ctl's command line as CLI11 hands them over: each numeric argument of the
// tool's own parser, given any text, is either refused as a usage error or read as exactly the
// whole decimal number the text spells, inside its range. ("0x2" once passed CLI11's range check as
// 2 and was then sent as 0.)

#include <algorithm>
#include <cctype>
#include <iostream>
#include <optional>
#include <sstream>

#include "FuzzCheck.h"
#include "cli/CommandList.h"
#include "cli/Options.h"

namespace {

struct NumberArgument {
    std::vector<std::string> before;  // the words in front of the number
    std::vector<std::string> after;   // the words after it
    const char* key;                  // where Options keeps it
    int64_t lo, hi;
    std::vector<int64_t> allowed;
};

const std::vector<NumberArgument>& Arguments() {
    static const std::vector<NumberArgument> arguments = {
        {{"store-area"}, {}, "N", 0, 3, {}},
        {{"--factory", "load-area"}, {}, "N", 0, 3, {}},
        {{"xml-version"}, {}, "N", 0, 999, {}},
        {{"send", "GA?", "--wait"}, {}, "wait", 0, 600000, {}},
        {{"--rate"}, {"connect"}, "rate", 9600, 115200, {9600, 19200, 38400, 57600, 115200}},
        {{"--port-index"}, {"ports"}, "port-index", 0, 4294967295LL, {}},
    };
    return arguments;
}

// The rule spelled out: one or more decimal digits and nothing else, inside the range.
std::optional<int64_t> Reference(const std::string& text, const NumberArgument& argument) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    if (!std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); })) return std::nullopt;
    const int64_t v = std::stoll(text);
    if (v < argument.lo || v > argument.hi) return std::nullopt;
    if (!argument.allowed.empty() &&
        std::find(argument.allowed.begin(), argument.allowed.end(), v) == argument.allowed.end())
        return std::nullopt;
    return v;
}

vr::cli::CommandList& Commands() {
    static vr::cli::CommandList commands = [] {
        vr::cli::CommandList list;
        vr::cli::AddCoreCommands(list);
        vr::cli::AddSettingsCommands(list);
        vr::cli::AddOnePushCommands(list);
        vr::cli::AddIdentityCommands(list);
        vr::cli::AddLutCurveCommands(list);
        vr::cli::AddLutFileCommands(list);
        vr::cli::AddShadingCommands(list);
        vr::cli::AddDoctorCommands(list);
        return list;
    }();
    return commands;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const NumberArgument& argument = Arguments()[data[0] % Arguments().size()];
    // An argument of a program ends at its first NUL.
    const std::string text(
        vr::fuzz::AsText(data + 1, size - 1).substr(0, vr::fuzz::AsText(data + 1, size - 1).find('\0')));

    std::vector<std::string> words = {"vr8200ctl"};
    words.insert(words.end(), argument.before.begin(), argument.before.end());
    words.push_back(text);
    words.insert(words.end(), argument.after.begin(), argument.after.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());

    // The parser's messages and help go nowhere.
    std::ostringstream sink;
    std::streambuf* out = std::cout.rdbuf(sink.rdbuf());
    std::streambuf* err = std::cerr.rdbuf(sink.rdbuf());
    vr::cli::Options options;
    const vr::cli::ParseResult result =
        vr::cli::ParseOptions(static_cast<int>(argv.size()), argv.data(), Commands(), options);
    std::cout.rdbuf(out);
    std::cerr.rdbuf(err);

    const std::optional<int64_t> expected = Reference(text, argument);
    const auto number = options.numbers.find(argument.key);
    if (expected) {
        FUZZ_CHECK(result.parsed);
        FUZZ_CHECK(number != options.numbers.end() && number->second == *expected);
        return 0;
    }
    if (result.parsed) {
        // Parsed without the number only when the text was taken for an option ("--factory").
        FUZZ_CHECK(number == options.numbers.end());
        FUZZ_CHECK(!text.empty() && text[0] == '-');
        return 0;
    }
    FUZZ_CHECK(number == options.numbers.end() || (!text.empty() && text[0] == '-'));
    // Refused as a usage error, unless the text asked for the help or the version.
    FUZZ_CHECK(result.exitCode == vr::cli::kExitUsage || (!text.empty() && text[0] == '-'));
    return 0;
}
