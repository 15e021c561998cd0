#pragma once
// The limits the tool knows for the texts it writes into the camera's identity: the user ID ("UD"),
// the camera ID ("ID00") and the device version ("DV00"). The editors and the dedicated
// command-line subcommands apply them; so does any other path that would write such a text.

#include <cstdint>
#include <string>
#include <string_view>

namespace vr::identity {

// Empty when `text` may be written to the command; otherwise why not, for the operator. A command
// that is none of the three has no limit here.
std::string TextLimitProblem(uint32_t cmdId, std::string_view text);

}  // namespace vr::identity
