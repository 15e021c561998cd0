// The value parsing of the command line and the camera's lines: ParseWholeNumber against a plain
// reading of its rule, the leading-number reading never failing on text, and `set`'s argument
// check, which must never let through a value that ends the command line early or leaves the range.

#include <cctype>
#include <optional>

#include "FuzzCheck.h"
#include "cli/SetArgument.h"
#include "protocol/FactoryCommands.h"
#include "protocol/Numbers.h"
#include "protocol/TextValue.h"

namespace {

using vr::protocol::NumberParse;

// The rule spelled out: "&H"/"&h" and 1 or more hexadecimal digits up to 32 bits, or an optional sign
// and 1 or more decimal digits within the signed 32-bit range.
std::optional<int64_t> Reference(std::string_view text, bool& syntax) {
    syntax = false;
    if (text.size() >= 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
        if (text.size() == 2) return syntax = true, std::nullopt;
        uint64_t v = 0;
        for (size_t i = 2; i < text.size(); ++i) {
            if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return syntax = true, std::nullopt;
            if (v > 0xFFFFFFFFull) continue;
            v = v * 16 + static_cast<uint64_t>(std::isdigit(static_cast<unsigned char>(text[i]))
                                                   ? text[i] - '0'
                                                   : std::tolower(static_cast<unsigned char>(text[i])) - 'a' + 10);
        }
        if (v > 0xFFFFFFFFull) return std::nullopt;
        return static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(v)));
    }
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) i = 1;
    if (i == text.size()) return syntax = true, std::nullopt;
    int64_t v = 0;
    bool big = false;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return syntax = true, std::nullopt;
        if (!big) v = v * 10 + (text[i] - '0');
        if (v > 4294967296LL) big = true;
    }
    if (negative) v = -v;
    if (big || v > INT32_MAX || v < INT32_MIN) return std::nullopt;
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(vr::fuzz::AsText(data, size));

    int32_t value = 12345;
    const NumberParse parsed = vr::protocol::ParseWholeNumber(text, value);
    bool syntax = false;
    const std::optional<int64_t> expected = Reference(text, syntax);
    if (expected) {
        FUZZ_CHECK(parsed == NumberParse::Ok && value == *expected);
    } else {
        // A text both too long and malformed may be called either.
        FUZZ_CHECK(parsed != NumberParse::Ok && value == 12345);
        if (!syntax) FUZZ_CHECK(parsed == NumberParse::Overflow);
    }

    int32_t leading = 0;
    const bool hexWithoutDigits = text.size() >= 2 && text[0] == '&' && text[1] == 'H' &&
                                  (text.size() == 2 || !std::isxdigit(static_cast<unsigned char>(text[2])));
    FUZZ_CHECK(vr::protocol::ParseLeadingNumber(text, leading) == !hexWithoutDigits);
    (void)vr::protocol::LeadingDecimal(text);

    FUZZ_CHECK(vr::protocol::IsSendableText(text) == !vr::fuzz::HasControlCharacter(text));

    vr::cli::SetArgument set;
    std::string why;
    const bool factory = !text.empty() && (static_cast<unsigned char>(text.back()) & 1) != 0;
    if (vr::cli::ParseSetArgument(text, factory, set, why)) {
        FUZZ_CHECK(factory || !vr::protocol::IsFactoryCommand(set.cmdId));
        // What `set` would write: one line, ended once.
        const std::string line = set.name + "=" + (set.isText ? set.text : std::to_string(set.number)) + "\r\n";
        FUZZ_CHECK(line.find_first_of("\r\n") == line.size() - 2);
        FUZZ_CHECK(!vr::fuzz::HasControlCharacter(line.substr(0, line.size() - 2)));
        FUZZ_CHECK(why.empty());
    } else {
        FUZZ_CHECK(!why.empty());
        FUZZ_CHECK(!vr::fuzz::HasControlCharacter(why));
    }
    return 0;
}
