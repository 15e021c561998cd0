#pragma once

#include <QObject>
#include <QString>

#include "TestPlatform.h"

// The LUT editor windows: the plot under the mouse, and the three editors in the desktop tool
// against the virtual camera.
class LutEditorTest : public QObject {
    Q_OBJECT
public:
    explicit LutEditorTest(const QString& folder) : folder_(folder) {}

private slots:
    void aDragAddsAPointAndChangesTheTableAtAnySize();
    void openLutTableShowsTheEditorsThatReadAndWriteTheCamera();

private:
    QString folder_;
    vr::test::TestPlatform platform_;
};
