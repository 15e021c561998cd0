#include "Output.h"

#include <cstdint>
#include <cstdio>

#include "Options.h"
#include "platform/FileIo.h"
#include "protocol/Command.h"

namespace vr::cli {
namespace {

// The length of the well-formed UTF-8 sequence of two to four bytes at text[i], or 0.
size_t Utf8Length(const std::string& text, size_t i) {
    const auto byte = [&text](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    uint32_t code = 0;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        code = lead & 0x1fu;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        code = lead & 0x0fu;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xc0u) != 0x80u) return 0;
        code = (code << 6) | (byte(i + k) & 0x3fu);
    }
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    const uint32_t least = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
    if (code < least || (code >= 0xd800 && code <= 0xdfff) || code > 0x10ffff) return 0;
    return length;
}

}  // namespace

void Print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

void PrintError(const std::string& text) {
    std::fprintf(stderr, "vr8200ctl: %s\n", text.c_str());
}

Json JsonText(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const size_t length = static_cast<unsigned char>(bytes[i]) < 0x80 ? 1 : Utf8Length(bytes, i);
        if (length > 0) {
            text.append(bytes, i, length);
            i += length - 1;
        } else {
            // A byte of no UTF-8 sequence: the character of its value (U+0080 to U+00FF).
            const auto c = static_cast<unsigned char>(bytes[i]);
            text += static_cast<char>(0xc0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3f));
        }
    }
    return text;
}

std::string DumpJson(const Json& value) {
    // JsonText leaves no broken UTF-8; a string that did not come through it is mended, not thrown at.
    return value.dump(-1, ' ', true, Json::error_handler_t::replace);
}

Json ValuesObject(const std::vector<OutputValue>& values) {
    // A name asked twice is one key, at its first place, with the value last given: a JSON object
    // with a key twice is read differently by different parsers.
    Json object = Json::object();
    for (const auto& v : values) {
        if (v.isText) {
            object[v.name] = JsonText(v.text);
            continue;
        }
        // Numbers come as the tool wrote them; anything else stays a text rather than being lost.
        Json number = Json::parse(v.text, nullptr, false);
        object[v.name] = number.is_number() ? number : JsonText(v.text);
    }
    return object;
}

std::string FormatValues(const std::vector<OutputValue>& values, bool json) {
    if (json) return DumpJson(ValuesObject(values)) + "\n";
    // A text from the camera is shown printable: no byte of it acts on the terminal.
    std::string out;
    for (const auto& v : values) out += v.name + "=" + protocol::Command::Printable(v.text) + "\n";
    return out;
}

int CheckFileToWrite(const std::string& path, bool replace) {
    std::string target, reason;
    if (platform::CheckWriteTarget(path, target, reason) != platform::WriteResult::Written) {
        std::fprintf(stderr, "vr8200ctl: %s: %s; nothing was written\n", path.c_str(), reason.c_str());
        return kExitFile;
    }
    if (platform::FileExists(path) && !replace) {
        std::fprintf(stderr, "vr8200ctl: %s exists; give --yes to replace it\n", path.c_str());
        return kExitUsage;
    }
    return kExitOk;
}

}  // namespace vr::cli
