#pragma once

#include <QObject>
#include <QString>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "DesktopHabits.h"
#include "Features.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "app/CoreServices.h"
#include "sim/PtyServer.h"

// Boxes recorded and answered with OK, file dialogs answered from a queue.
class DeskPlatform : public vr::gui::QtPlatform {
public:
    DeskPlatform() { SetProgressFinishPauseMs(0); }
    vr::app::MsgResult MessageBox(const std::string& text, const std::string&, vr::app::MsgIcon,
                                  vr::app::MsgButtons buttons) override {
        boxes.push_back(text);
        return buttons == vr::app::MsgButtons::YesNo ? vr::app::MsgResult::Yes : vr::app::MsgResult::Ok;
    }
    std::string OpenFileDialog(const std::string&, const std::string&,
                               const std::vector<vr::app::FileFilter>&) override {
        return Next();
    }
    std::string SaveFileDialog(const std::string&, const std::string&, const std::string&,
                               const std::vector<vr::app::FileFilter>&) override {
        return Next();
    }
    std::vector<std::string> boxes;
    std::deque<std::string> files;

private:
    std::string Next() {
        if (files.empty()) return {};
        std::string f = files.front();
        files.pop_front();
        return f;
    }
};

// The desktop tool with its features and habits on a virtual VR-8200-KA.
class DesktopTest : public QObject {
    Q_OBJECT
public:
    explicit DesktopTest(const QString& folder) : folder_(folder) {}

private slots:
    void initTestCase();
    void statusBarFollowsPortRateModelAreaModeAndLine();
    void searchListsMatchesAndGoesToTheControl();
    void fileKeysOpenAndSaveAndFillTheRecentList();
    void aMissingRecentFileIsReportedAndDropped();
    void windowPlaceIsStoredAndRestored();
    void reconnectAfterTheLineWentAwayRefillsThePages();
    void cleanupTestCase();

private:
    void StartCamera();
    void Focus(QWidget* widget);
    QString Field(const char* name) const;
    std::string Path(const char* name) const { return (folder_ + "/" + name).toStdString(); }

    QString folder_;
    DeskPlatform platform_;
    std::unique_ptr<vr::app::CoreServices> core_;
    std::unique_ptr<vr::sim::PtyServer> camera_;
    std::unique_ptr<vr::gui::MainWindow> window_;
    std::unique_ptr<vr::gui::Features> features_;
    std::unique_ptr<vr::gui::DesktopHabits> habits_;
};
