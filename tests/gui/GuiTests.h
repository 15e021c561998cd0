#pragma once
// The Qt test classes of the desktop tool's test program, each on its own platform and folder.

#include <QObject>
#include <QString>
#include <memory>

#include "StartedDesktopTool.h"
#include "TestPlatform.h"
#include "app/CoreServices.h"
#include "sim/PtyServer.h"

// The widget side of control access, the up-down control, the page columns and two small windows.
class WidgetTest : public QObject {
    Q_OBJECT
public:
    explicit WidgetTest(const QString& folder) : core_(platform_, (folder + "/widgets").toStdString()) {}

private slots:
    void comboListsKeepTheirSelectionLikeAWindowsList();
    void spinOnlyAnnouncesItsSteps();
    void columnsAreBalancedInOrder();
    void pagesTakeFewerColumnsInANarrowWindow();
    void areaDialogOffersTheFactoryAreaOnlyWhereAllowed();
    void progressWindowOffersCancelOnlyWhenAllowed();

private:
    vr::test::TestPlatform platform_;
    vr::app::CoreServices core_;
};

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

// The desktop tool started on a virtual VR-8200-KA whose "BLR" sets are refused.
class MainWindowTest : public QObject {
    Q_OBJECT
public:
    explicit MainWindowTest(const QString& folder) : folder_(folder) {}

private slots:
    void initTestCase();
    void startupRaisesTheLineAndFillsEveryPage();
    void factoryKeySequenceTogglesTheFactoryPage();
    void enterInAnEditSendsItsValueAndKeepsTheWindow();
    void aRefusedChangeIsUndoneOnScreen();
    void focusMovingToAnotherWindowOfTheToolAppliesTheEdit();
    void offlineBannerSaysWhereTheValuesCameFrom();
    void escapeClosesOnlyAnOpenListAndCloseAsksFirst();
    void terminalListsTrafficWithTimeStampsAndSavesIt();
    void communicationDialogRefillsPortsAndEnablesStore();
    void cancelInTheProgressWindowStopsTheReadBetweenCommands();
    void cleanupTestCase();

private:
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Focus(QWidget* widget);
    std::vector<std::string> TabTitles() const;

    QString folder_;
    vr::test::TestPlatform platform_;
    vr::sim::PtyServer camera_;
    vr::test::StartedDesktopTool tool_;
    vr::gui::MainWindow* window_ = nullptr;
    vr::app::CoreServices* core_ = nullptr;
};

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
