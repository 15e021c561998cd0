#pragma once
// The calibration feature as the desktop tool plugs it in: the one-push functions on the steady
// clock and the XML version boxes, working on the main window's session and screen, registered for
// their lists and buttons.

#include "calibration/OnePush.h"
#include "calibration/SteadyWaitClock.h"
#include "calibration/XmlVersion.h"

namespace vr::ui {

class CCtrlToolDlg;
class FeatureRouter;

// The one-push lists and buttons and the XML version's buttons, for any functions and version.
void RegisterCalibration(FeatureRouter& router, calibration::OnePush& onePush, calibration::XmlVersion& version);

class CalibrationFront {
public:
    explicit CalibrationFront(CCtrlToolDlg& window);

    void Register(FeatureRouter& router) { RegisterCalibration(router, onePush_, xmlVersion_); }
    // See OnePush::Tick.
    void Tick() { onePush_.Tick(); }

    calibration::OnePush& Functions() { return onePush_; }
    calibration::XmlVersion& Version() { return xmlVersion_; }

private:
    calibration::SteadyWaitClock clock_;
    calibration::OnePush onePush_;
    calibration::XmlVersion xmlVersion_;
};

}  // namespace vr::ui
