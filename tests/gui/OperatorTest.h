#pragma once
// The operator is never locked out: Cancel on a hung wait, the wheel that changes nothing it should
// not, a terminal that keeps up, offline at once and back by itself, one report per file load, and the
// small windows that say enough. Each slot starts the desktop tool on a virtual camera of its own.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "DesktopHabits.h"
#include "StartedDesktopTool.h"
#include "TestPlatform.h"
#include "sim/PtyServer.h"

class OperatorTest : public QObject {
    Q_OBJECT
public:
    explicit OperatorTest(const QString& folder) : folder_(folder) {}

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
    void Start(const std::function<void(vr::sim::SimOptions&)>& set = nullptr);
    void StartCamera(const std::function<void(vr::sim::SimOptions&)>& set = nullptr);
    QString Field(const char* name) const;
    std::string Path(const char* name) const { return (folder_ + "/" + name).toStdString(); }

    QString folder_;
    vr::test::TestPlatform platform_;
    std::unique_ptr<vr::sim::PtyServer> camera_;
    vr::test::StartedDesktopTool tool_;
    vr::gui::MainWindow* window_ = nullptr;
    std::unique_ptr<vr::gui::DesktopHabits> habits_;
};
