#pragma once
// The desktop tool as the Qt tests drive it: the services over the test's platform, the main window
// in user mode with every feature, on the virtual camera's device, shown and through its start-up.
// Call from a test slot and return when it fails (QVERIFY inside).

#include <QString>
#include <QTest>
#include <memory>
#include <string>

#include "DeviceForRun.h"
#include "Features.h"
#include "MainWindow.h"
#include "app/CoreServices.h"
#include "ui/main/CtrlToolDlg.h"

namespace vr::test {

struct StartedDesktopTool {
    std::unique_ptr<app::CoreServices> core;
    std::unique_ptr<gui::MainWindow> window;
    std::unique_ptr<gui::Features> features;

    template <typename Platform>
    void Start(Platform& platform, const QString& configFolder, const std::string& device) {
        core = std::make_unique<app::CoreServices>(platform, configFolder.toStdString());
        QVERIFY(gui::UseDeviceForRun(core->link, device));
        window = std::make_unique<gui::MainWindow>(core->Session());
        window->Logic().SetControlMode(ui::CCtrlToolDlg::kControlModeUser);
        platform.SetMainWindow(window.get());
        features = std::make_unique<gui::Features>(*window);
        window->RefreshMenuAvailability();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->Logic().OnInitDialog();
        QVERIFY(platform.boxes.empty());
    }

    // Closes the window without the question and drops it; the features live inside the window's
    // life, as in the program. The services stay for the test to drop after its camera.
    void Close() {
        if (!window) return;
        window->Logic().SetCloseWithoutConfirm(true);
        window->close();
        window->Logic().OnDestroy();
        features.reset();
        window.reset();
    }
};

}  // namespace vr::test
