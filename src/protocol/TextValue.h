#pragma once
// Whether a text may go out as a command's value. A CR or LF inside it would end the command line
// early and let the rest run as a second command nobody asked for; NUL and the other control
// characters have no place in the camera's texts either. Only the terminal sends raw lines.

#include <string_view>

namespace vr::protocol {

inline bool IsSendableText(std::string_view text) {
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F) return false;
    return true;
}

// Whether a text the tool writes comes back whole when the camera is asked for it. A reply's value
// ends at its first comma (what follows is further information the tool ignores), so a user ID
// "line 3, left" would be stored whole and read back as "line 3". The identity texts refuse a comma.
inline bool ReadsBackWhole(std::string_view text) {
    return text.find(',') == std::string_view::npos;
}

}  // namespace vr::protocol
