#pragma once
// The pages adapted to the camera model: the model display, the controls only one model has, the
// list items that differ between the models, and the captions left without a visible control.

#include <cstdint>
#include <vector>

#include "platform/ControlAccess.h"

namespace vr::ui {

// The ids shown for one model and hidden for the other (ranges expanded; some ids in the ranges name
// no control and are skipped).
const std::vector<uint32_t>& ControlsOnlyOnKB();
const std::vector<uint32_t>& ControlsOnlyOnKA();

// Model display, show/hide by model and per-model items. Kinds other than the two models leave
// every control as its template defines it. Captions follow (UpdateCaptions).
void ApplyModelLayout(platform::IControlAccess& controls, uint32_t modelKind);

// Shows a row's label while one of the row's controls is shown, and a group box while one of its
// controls is, so that no page shows a caption without a control.
void UpdateCaptions(platform::IControlAccess& controls);

}  // namespace vr::ui
