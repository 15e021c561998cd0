#pragma once
// What the desktop tool's Qt test classes share: a folder of their own, the test platform, a virtual
// camera over a pseudo-terminal and the tool put together on it as the program does, habits included.

#include <QLabel>
#include <QObject>
#include <QString>
#include <QTest>
#include <functional>
#include <memory>
#include <string>

#include "DesktopHabits.h"
#include "StartedDesktopTool.h"
#include "StatusBar.h"
#include "TestPlatform.h"
#include "sim/PtyServer.h"

class DesktopToolTest : public QObject {
public:
    explicit DesktopToolTest(const QString& folder) : folder_(folder) {}

protected:
    using CameraOptions = std::function<void(vr::sim::SimOptions&)>;

    // A virtual VR-8200-KA behind the test's link, its options changed by `set` first.
    void StartCamera(const CameraOptions& set = nullptr) {
        vr::sim::SimOptions options;
        options.model = "KA";
        options.linkPath = Path("camera");
        if (set) set(options);
        camera_ = std::make_unique<vr::sim::PtyServer>();
        std::string error;
        QVERIFY2(camera_->Start(options, &error), error.c_str());
    }
    // The tool on the running camera, its settings in `config` below the folder, with its habits.
    void StartTool(const QString& config) {
        tool_.Start(platform_, folder_ + "/" + config, camera_->LinkPath());
        window_ = tool_.window.get();
        habits_ = std::make_unique<vr::gui::DesktopHabits>(*window_, *tool_.features);
    }
    // The tool, the camera and the services, in that order.
    void StopAll() {
        habits_.reset();
        tool_.Close();
        window_ = nullptr;
        if (camera_) camera_->Stop();
        tool_.core.reset();
    }
    // A field of the status bar, refreshed.
    QString Field(const char* name) const {
        habits_->Status().Refresh();
        QLabel* label = habits_->Status().Field(name);
        return label != nullptr ? label->text() : QString("(no field %1)").arg(name);
    }
    std::string Path(const char* name) const { return (folder_ + "/" + name).toStdString(); }

    QString folder_;
    vr::test::TestPlatform platform_;
    std::unique_ptr<vr::sim::PtyServer> camera_;
    vr::test::StartedDesktopTool tool_;
    vr::gui::MainWindow* window_ = nullptr;
    std::unique_ptr<vr::gui::DesktopHabits> habits_;
};
