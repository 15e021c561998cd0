// The settings file's lines: how a .cam file of anybody's making is split and what each line asks.
// The oracle: a line that is sent carries exactly the number the file holds (read here by a plain
// reading of the rule), and a line whose number does not fit 32 bits is refused, never sent.

#include <cctype>
#include <optional>

#include "FuzzCheck.h"
#include "camera/ModelCommands.h"
#include "protocol/CommandIds.h"
#include "settings/SettingsLines.h"

using vr::settings::LineUse;

namespace {

// Line ends: LF, CR LF (one end), a lone CR.
size_t LineEnds(std::string_view text) {
    size_t ends = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (text[i] == '\r' || text[i] == '\n') ++ends;
    }
    return ends;
}

// The number a line's value starts with, as a file means it: "&H" and hexadecimal digits, or an
// optional sign and decimal digits; nothing when it has none; `fits` false beyond 32 bits.
std::optional<int64_t> FileNumber(const std::string& line, bool& fits) {
    std::string bare;
    for (char c : line)
        if (c != ' ') bare += c;
    fits = true;
    const size_t eq = bare.find('=');
    if (eq == std::string::npos) return std::nullopt;
    const std::string value = bare.substr(eq + 1, bare.find(',', eq + 1) - eq - 1);
    if (value.size() >= 2 && value[0] == '&' && value[1] == 'H') {
        uint64_t v = 0;
        size_t i = 2;
        for (; i < value.size() && std::isxdigit(static_cast<unsigned char>(value[i])); ++i) {
            const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(value[i])));
            if (v <= 0xFFFFFFFFull) v = v * 16 + static_cast<uint64_t>(std::isdigit(c) ? c - '0' : c - 'a' + 10);
        }
        if (i == 2) return std::nullopt;
        fits = v <= 0xFFFFFFFFull;
        return static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(v)));
    }
    size_t i = value.empty() || (value[0] != '+' && value[0] != '-') ? 0 : 1;
    const size_t first = i;
    int64_t v = 0;
    for (; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])); ++i)
        if (v <= 4294967296LL) v = v * 10 + (value[i] - '0');
    if (i == first) return std::nullopt;
    if (value[0] == '-') v = -v;
    fits = v >= INT32_MIN && v <= INT32_MAX;
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const vr::settings::SettingsLines reader;
    const std::string content(vr::fuzz::AsText(data, size));
    const auto lines = vr::settings::SettingsLines::Split(content);
    const std::string_view body =
        std::string_view(content).starts_with("\xEF\xBB\xBF") ? std::string_view(content).substr(3) : content;
    const bool openEnd = !body.empty() && body.back() != '\n' && body.back() != '\r';
    FUZZ_CHECK(lines.size() == LineEnds(body) + (openEnd ? 1 : 0));
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        FUZZ_CHECK(line.number == static_cast<int>(i) + 1);
        FUZZ_CHECK(line.text.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(line.overlong == (line.text.size() > vr::settings::kMaxSettingsLineChars));
        bool fits = true;
        const std::optional<int64_t> number = FileNumber(line.text, fits);
        for (const bool factory : {false, true}) {
            for (const uint32_t model : {vr::camera::kModelKA, vr::camera::kModelKB}) {
                const auto m = reader.Interpret(line, factory, model);
                if (line.overlong) FUZZ_CHECK(m.use == LineUse::Ignored);
                if (m.use == LineUse::ModelName) {
                    FUZZ_CHECK(m.cmdId == vr::protocol::cmd::MD00);
                    FUZZ_CHECK(m.text.find_first_of(" ,") == std::string::npos);
                }
                if (m.use == LineUse::TooLarge) FUZZ_CHECK(number && !fits);
                if (m.use == LineUse::Setting) {
                    FUZZ_CHECK(m.ctrlId != 0);
                    FUZZ_CHECK(vr::camera::IsCommandOnModel(m.cmdId, model));
                    // The value sent is the file's number, or the line is not sent at all.
                    FUZZ_CHECK(number && fits && *number == m.value);
                }
                if (m.use == LineUse::FactoryOnly) FUZZ_CHECK(!factory);
                if (m.use != LineUse::Ignored) FUZZ_CHECK(reader.Readable(line));
            }
        }
    }
    return 0;
}
