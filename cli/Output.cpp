#include "Output.h"

#include <algorithm>
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

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    const auto escape = [&out](unsigned value) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", value);
        out += escaped;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            // UTF-8 text passes as it is; any other byte is shown as the character of its value, so
            // nothing the camera sent is lost or passed on as broken UTF-8. U+0080 to U+009F act on
            // terminals like escape sequences and are shown too.
            const size_t length = Utf8Length(text, i);
            if (length == 2 && c == 0xc2 && static_cast<unsigned char>(text[i + 1]) < 0xa0) {
                escape(static_cast<unsigned char>(text[i + 1]));
                ++i;
            } else if (length > 0) {
                out.append(text, i, length);
                i += length - 1;
            } else {
                escape(c);
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                // Control characters are shown, not passed on raw.
                if (c < 0x20 || c == 0x7f)
                    escape(c);
                else
                    out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string FormatValues(const std::vector<OutputValue>& values, bool json) {
    std::string out;
    if (!json) {
        // A text from the camera is shown printable: no byte of it acts on the terminal.
        for (const auto& v : values) out += v.name + "=" + protocol::Command::Printable(v.text) + "\n";
        return out;
    }
    // A name asked twice is one key, at its first place, with the value last given: a JSON object
    // with a key twice is read differently by different parsers.
    std::vector<const OutputValue*> unique;
    for (const auto& v : values) {
        const auto same =
            std::find_if(unique.begin(), unique.end(), [&](const OutputValue* u) { return u->name == v.name; });
        if (same == unique.end())
            unique.push_back(&v);
        else
            *same = &v;
    }
    out = "{";
    for (size_t i = 0; i < unique.size(); ++i) {
        if (i > 0) out += ", ";
        out += JsonString(unique[i]->name) + ": " + (unique[i]->isText ? JsonString(unique[i]->text) : unique[i]->text);
    }
    return out + "}\n";
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
