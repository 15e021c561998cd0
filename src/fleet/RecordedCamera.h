#pragma once
// A camera of a run on many cameras, with what records its reads and changes in the change journal.

#include "fleet/FleetRunner.h"

namespace vr::journal {
class Journal;
struct Origin;
}  // namespace vr::journal

namespace vr::fleet {

// `opened` with a recorder on its session that hands `journal` (may be null: `opened` as it is) every
// read and change under the session's link; the recorder goes before the session does.
OpenedCamera WithRecorder(OpenedCamera opened, journal::Journal* journal, const journal::Origin& origin);

}  // namespace vr::fleet
