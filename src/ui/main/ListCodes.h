#pragma once
// The value codes of the coded drop-down lists, put on the page's lists as item data.

#include "platform/ControlAccess.h"
#include "protocol/ComboCodes.h"

namespace vr::ui {

// Gives every coded list its codes as item data (start-up).
void ApplyComboCodes(platform::IControlAccess& controls);

}  // namespace vr::ui
