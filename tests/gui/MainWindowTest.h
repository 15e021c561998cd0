#pragma once

#include <QObject>
#include <memory>

#include "StartedDesktopTool.h"
#include "TestPlatform.h"
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
    vr::sim::PtyServer camera_;
    vr::test::StartedDesktopTool tool_;
    vr::gui::MainWindow* window_ = nullptr;
    vr::app::CoreServices* core_ = nullptr;
};
