#pragma once

#include <QObject>
#include <memory>

#include "MainWindow.h"
#include "TestPlatform.h"
#include "app/CoreServices.h"
#include "sim/PtyServer.h"

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
    std::unique_ptr<vr::app::CoreServices> core_;
    vr::sim::PtyServer camera_;
    std::unique_ptr<vr::gui::MainWindow> window_;
};
