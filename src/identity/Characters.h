#pragma once
// The identity editors keep only the first character of a field. A field holds UTF-8, so the first
// character is the whole sequence of its first code point: its lead byte alone would be a broken
// byte on the wire.

#include <string>
#include <string_view>

namespace vr::identity {

inline std::string FirstCharacter(std::string_view text) {
    if (text.empty()) return {};
    size_t length = 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) ++length;
    return std::string(text.substr(0, length));
}

}  // namespace vr::identity
