#include "Output.h"

#include <cstdio>

namespace vr::cli {

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
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
                if (c < 0x20 || c >= 0x7f) {
                    // The camera speaks ASCII; anything else is shown, not passed on raw.
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string FormatValues(const std::vector<OutputValue>& values, bool json) {
    std::string out;
    if (!json) {
        for (const auto& v : values) out += v.name + "=" + v.text + "\n";
        return out;
    }
    out = "{";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ", ";
        out += JsonString(values[i].name) + ": " + (values[i].isText ? JsonString(values[i].text) : values[i].text);
    }
    return out + "}\n";
}

}  // namespace vr::cli
