#pragma once
// The way back to a snapshot: which of its values a camera takes and differs in now, and writing
// them, as the command line's revert and the desktop tool's History window do it.

#include <string>
#include <vector>

#include "journal/History.h"

namespace vr::camera {
class CameraSession;
}
namespace vr::protocol {
class ParameterTable;
}

namespace vr::journal {

// The camera's values of its last full read, "NAME=VALUE" in table order, as a snapshot holds them.
std::vector<std::string> LastReadValues(camera::CameraSession& session);

// The values of a snapshot that a settings file carries (a factory row only with `factory`).
std::vector<std::string> SettableValues(const protocol::ParameterTable& table, const std::vector<std::string>& values,
                                        bool factory);

// What reverting to `snapshot` writes: the values the camera has in this mode that differ from `now`
// (a the snapshot's, b the camera's), in table order.
std::vector<Difference> RevertChanges(camera::CameraSession& session, const std::vector<std::string>& snapshot,
                                      const std::vector<std::string>& now);

// Writes the changes as a change in the window goes: in table order, stopping at the first the camera
// refuses (which the engine tells), the session hearing of each. True when all were taken.
bool ApplyRevert(camera::CameraSession& session, const std::vector<Difference>& changes);

}  // namespace vr::journal
