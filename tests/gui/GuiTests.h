#pragma once
// The Qt test class of the desktop tool's test program.

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "DesktopToolTest.h"
#include "ProgressWindow.h"
#include "app/CoreServices.h"
#include "dialogs/CommunicationDialog.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "protocol/ControlIds.h"

// The desktop tool as the program puts it together, habits included, started on a virtual
// VR-8200-KA; the slots run in this order and each leaves the tool as the next expects it. Last, the
// widgets of control access, the up-down control, the page columns and two small windows, alone.
class MainWindowTest : public DesktopToolTest {
    Q_OBJECT
public:
    using DesktopToolTest::DesktopToolTest;

private slots:
    void initTestCase();
    void startupRaisesTheLineAndFillsEveryPage();
    void shadingCalibrationShowsItsTimeWhileTheCameraWorks();  // before any gain change
    void statusBarFollowsPortRateModelAreaModeAndLine();
    void factoryKeySequenceTogglesTheFactoryPage();
    void anEditSendsOnEnterOrWhenTheFocusGoesToAnotherWindow();
    void offlineBannerSaysWhereTheValuesCameFrom();
    void escapeClosesOnlyAnOpenListAndCloseAsksFirst();
    void searchListsMatchesAndGoesToTheControl();
    void fileKeysOpenAndSaveAndTheRecentListDropsAMissingFile();
    void windowPlaceIsStoredAndRestored();
    void lutEditorsOpenTogetherAndTheirPlotFollowsTheMouse();
    void lutMenuAndShadingButtonsMoveTheTableFiles();
    void terminalListsTrafficWithTimeStampsAndSavesIt();
    void aTypedDevicePathOpensAnotherCamera();
    void cancelInTheProgressWindowStopsTheReadBetweenCommands();
    void reconnectAfterTheLineWentAwayRefillsThePages();  // a fresh camera from here on
    void aboutDialogsUserIdLockPairAnswersTheMouse();
    void cameraIdFieldsTakeOneCharacterEach();
    void menuOpensEachIdentityDialogModally();  // leaves the tool in factory mode
    void spinOnlyAnnouncesItsStepsAndComboListsKeepTheirSelection();
    void columnsAreBalancedInOrderAndFewerInANarrowWindow();
    void areaDialogOffersTheFactoryAreaOnlyWhereAllowed();
    void progressWindowKeepsACancelPressedThenTakenAwayGreyed();
    void cleanupTestCase();

private:
    // The virtual camera behind the test's link; paced, every byte takes its wire time.
    void StartCamera(bool paced = false);
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Focus(QWidget* widget);
    QString TabTitles() const;  // joined by ", "
    // Triggers the menu item and returns the title of the modal dialog it opened (closed again at
    // once), or an empty text when none opened.
    QString TitleOfDialogOpenedBy(uint32_t menuId);
};
