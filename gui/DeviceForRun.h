#pragma once
// A serial device named on the command line (or the virtual camera's pseudo-terminal) becomes the
// port the start-up opens: it joins the port list of the serial-port mode and its index is stored.
// A port server's address (rfc2217://, tcp://) makes the network mode the one in use.

#include <string>

namespace vr::link {
class CCommSetting;
}

namespace vr::gui {

// False when the device cannot be listed (an empty path).
bool UseDeviceForRun(link::CCommSetting& setting, const std::string& device);

}  // namespace vr::gui
