#pragma once

#include <QObject>
#include <memory>

#include "Features.h"
#include "MainWindow.h"
#include "StartedDesktopTool.h"
#include "TestPlatform.h"
#include "app/CoreServices.h"
#include "sim/PtyServer.h"

// The device information dialog and the ID editors of the desktop tool, against a virtual VR-8200-KA.
class IdentityDialogTest : public QObject {
    Q_OBJECT
public:
    explicit IdentityDialogTest(const QString& folder) : folder_(folder) {}

private slots:
    void initTestCase();
    void aboutDialogWritesTheDeviceVersionOnlyInFactoryMode();
    void cameraIdFieldsTakeOneCharacterAndSaveOnlyInFactoryMode();
    void menuOpensEachDialogModally();
    void cleanupTestCase();

private:
    // Triggers the menu item and returns the title of the modal dialog it opened (closed again at
    // once), or an empty text when none opened.
    QString TitleOfDialogOpenedBy(uint32_t menuId);

    QString folder_;
    vr::test::TestPlatform platform_;
    vr::sim::PtyServer camera_;
    vr::test::StartedDesktopTool tool_;
};
