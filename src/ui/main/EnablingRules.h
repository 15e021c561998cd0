#pragma once
// The rules that enable, grey, show and hide controls from the selections of other controls. They
// only change control state; the main window decides when they run and does the camera work around.

#include <cstdint>

#include "platform/ControlAccess.h"

namespace vr::ui {

// Exposure mode index e, exposure time mode index t: "Timed" with individual times enables the R,
// G, B times and greys the common one; otherwise the common time is enabled only for "Timed".
void ApplyExposureEnabling(platform::IControlAccess& controls);

// "Auto Reset Mode" is greyed while the trigger mode is "Off".
void ApplyTriggerModeEnabling(platform::IControlAccess& controls);

// The LUT mode: "Gamma" shows the gamma selector, "LUT" enables the table editor button. True when
// the LUT editor windows are to be hidden (every mode but "LUT").
bool ApplyLutModeEnabling(platform::IControlAccess& controls);

// The recalibrate buttons are enabled for the user correction data ("User1" to "User3") only.
void ApplyCorrectionButtonsEnabling(platform::IControlAccess& controls);

// Individual gain mode g: 0 uses "Gain All", 1 the green gain and the auto functions, with the red and
// blue gain spins' ranges of the mode. False (nothing changed) for any other g.
bool ApplyIndividualGainEnabling(platform::IControlAccess& controls, int g);

// The chromatic aberration editors, their spins and "Save".
void EnableChromaticEditors(platform::IControlAccess& controls, bool enable);

}  // namespace vr::ui
