#pragma once
// For people reviewing the windows: once the start-up is done, saves a picture of every tab page, of
// the communication dialog, the terminal, the LUT editors in Edit and View Mode and the identity
// dialogs (in the system palette and in a dark one), of a shading calibration's progress window and
// result box, and of the offline banner and a long wait's progress window, then ends the program.

#include <QObject>
#include <QString>

namespace vr::gui {

class MainWindow;

class ScreenshotTour : public QObject {
    Q_OBJECT
public:
    ScreenshotTour(MainWindow& window, QString folder);

    // Takes the pictures and closes the window; false when a picture could not be saved.
    bool Run();

private:
    bool Save(QWidget* widget, const QString& name);
    bool Pass(const QString& prefix);
    // The memory-area dialog, and the comparison with a file that differs from the camera in a few
    // settings.
    bool SettingsWindows(const QString& prefix);
    // A shading calibration on the virtual camera: its progress window while the camera works, and
    // the box with its result; a white balance's result box with the values it re-read.
    bool OnePush();
    // The main window offline, its banner offering Reconnect; a long wait's own progress window.
    bool Offline(const QString& prefix);
    // Opens the LUT editors the operator's way and gives them curves to show.
    void PrepareLutEditors();

    MainWindow& window_;
    QString folder_;
};

}  // namespace vr::gui
