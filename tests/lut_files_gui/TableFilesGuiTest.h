#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "Features.h"
#include "MainWindow.h"
#include "ScriptedPlatform.h"
#include "StartedDesktopTool.h"
#include "app/CoreServices.h"
#include "sim/PtyServer.h"

// The desktop tool with its features on a virtual VR-8200-KA.
class TableFilesGuiTest : public QObject {
    Q_OBJECT
public:
    explicit TableFilesGuiTest(const QString& folder) : folder_(folder) {}

private slots:
    void initTestCase();
    void lutMenuCommandsAreThereAndWriteAndReadFiles();
    void shadingButtonsOnUserBMoveTheShadingData();
    void cleanupTestCase();

private:
    void TriggerMenu(uint32_t id);
    void Click(uint32_t id);
    std::string Path(const char* name) const { return (folder_ + "/" + name).toStdString(); }

    QString folder_;
    ScriptedPlatform platform_;
    vr::sim::PtyServer camera_;
    vr::test::StartedDesktopTool tool_;
};
