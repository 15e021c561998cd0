#pragma once
// The desktop tool's features, put together: each feature module (and the windows it needs) is made
// here and registers its menu commands, buttons and lists in the main window's router. One member
// per feature; they live as long as the main window.

#include <QPointer>
#include <array>
#include <memory>

#include "lut/LutEditors.h"

class QTimer;

namespace vr::ui {
class CalibrationFront;
class SettingsFeature;
}  // namespace vr::ui

namespace vr::lut {
class TableFiles;
}

namespace vr::gui {

class MainWindow;
class IdentityDialogs;
class LutEditorWindow;

class Features {
public:
    explicit Features(MainWindow& window);
    ~Features();
    Features(const Features&) = delete;
    Features& operator=(const Features&) = delete;

    ui::CalibrationFront& Calibration() { return *calibration_; }
    ui::SettingsFeature& Settings() { return *settings_; }
    // The three LUT editors' tables, for the LUT file operations.
    lut::ILutTables& LutTables() { return *lutEditors_; }
    LutEditorWindow* LutWindow(lut::LutColour colour) const;

private:
    void CreateLutEditors();
    // Before their first showing: the editors below the main window's menu bar, on the screen.
    void PlaceLutEditors();

    MainWindow& window_;
    std::unique_ptr<ui::SettingsFeature> settings_;
    std::unique_ptr<ui::CalibrationFront> calibration_;
    // Puts a one-push function's elapsed time on screen, also while the engine waits for a long reply
    // (its wait lets timers run).
    std::unique_ptr<QTimer> calibrationTicker_;
    std::unique_ptr<IdentityDialogs> identity_;
    std::array<QPointer<LutEditorWindow>, 3> lutWindows_;
    bool lutEditorsPlaced_ = false;
    std::unique_ptr<lut::LutEditors> lutEditors_;
    std::unique_ptr<lut::TableFiles> tableFiles_;
};

}  // namespace vr::gui
