#pragma once
// The calibration feature as the desktop tool plugs it in: the one-push functions on the steady
// clock and the XML version boxes, registered for their lists and buttons.

#include "calibration/OnePush.h"
#include "calibration/SteadyWaitClock.h"
#include "calibration/XmlVersion.h"

namespace vr::calibration {

class CalibrationFeature {
public:
    explicit CalibrationFeature(ui::CCtrlToolDlg& window) : onePush_(window, clock_), xmlVersion_(window) {}

    void Register(ui::FeatureRouter& router) {
        onePush_.Register(router);
        xmlVersion_.Register(router);
    }
    // See OnePush::Tick.
    void Tick() { onePush_.Tick(); }

    OnePush& Functions() { return onePush_; }

private:
    SteadyWaitClock clock_;
    OnePush onePush_;
    XmlVersion xmlVersion_;
};

}  // namespace vr::calibration
