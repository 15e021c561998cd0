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

}  // namespace vr::protocol
