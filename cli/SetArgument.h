#pragma once
// How `set` reads one NAME=VALUE argument before anything goes to the camera. Arguments come from
// other people's scripts: a value that would end the command line early, a number outside the row's
// range, a one-push start or a factory command outside factory mode is refused here, so nothing of
// a bad argument list is ever sent.

#include <cstdint>
#include <string>

namespace vr::cli {

struct SetArgument {
    uint32_t cmdId = 0;
    std::string name;
    bool isText = false;
    std::string text;    // the value of a text command, as given
    int32_t number = 0;  // the value of any other command
};

// True when the argument may be sent as `set`; a factory command (protocol::IsFactoryCommand) only
// in factory mode. Otherwise false, and `why` is the line for the operator without the program's
// name in front ("GA takes 100 to 3200, not 99999; nothing was sent").
bool ParseSetArgument(const std::string& arg, bool factoryMode, SetArgument& set, std::string& why);

}  // namespace vr::cli
