#pragma once
// The commands only factory mode sends: those of the factory settings (the rows of the factory area)
// and the writes of production data that the factory page and dialogs make (the unlock and the
// camera ID, the model name, the device version, the XML version, the factory area, the restart and
// the factory recalibrations). A tool that sends any command a script names (vr8200ctl set and
// send) keeps to the same rule as its dedicated commands.

#include <cstdint>
#include <string>

namespace vr::protocol {

bool IsFactoryCommand(uint32_t cmdId);

// The command a raw line sets ("sa00 = 0" sets "SA00": the camera matches names without regard to
// case and ignores blanks around them); -1 for a query, a line without "=" or an unknown name.
int32_t CommandSetByLine(const std::string& line);

}  // namespace vr::protocol
