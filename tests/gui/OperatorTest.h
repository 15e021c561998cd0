#pragma once
// The operator is never locked out: Cancel on a hung wait, the wheel that changes nothing it should
// not, a terminal that keeps up, offline at once and back by itself, one report per file load, and the
// small windows that say enough. Each slot starts the desktop tool on a virtual camera of its own.

#include "DesktopToolTest.h"

class OperatorTest : public DesktopToolTest {
    Q_OBJECT
public:
    using DesktopToolTest::DesktopToolTest;
private slots:
    void cleanup();
    void theWheelChangesOnlyTheControlThatHasTheFocus();
    void cancelEndsAHungCalibrationAndTheToolIsUsableAtOnce();
    void aLateCompleteAfterACancelAnswersNothing();
    void terminalShowsTheNewestLinesAndSendsEachCommandAlone();
    void aHangUpWhileIdleGoesOfflineAndTheDeviceComingBackIsOffered();
    void aSettingsFileWithRefusedLinesGivesOneReport();
    void lutEditorUndoesByKeyAndStandsApartFromTheMainWindow();
    void cameraIdFieldsMoveOnAndTakeAPastedId();
    void smallWindowsFitTheirTextAndTheScreen();

private:
    void Start(const CameraOptions& set = nullptr);
};
