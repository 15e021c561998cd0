#pragma once
// File > "Open Camera List...": reads an inventory of many cameras and shows it in the "Cameras"
// window. An inventory with bad entries is reported line by line, and nothing is opened.

#include <QObject>
#include <QPointer>

namespace vr::journal {
class Journal;
}

namespace vr::gui {

class MainWindow;
class CamerasWindow;

class CameraListAction : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Open Camera List...";

    explicit CameraListAction(MainWindow& window);

    // Reads the inventory at `path` and shows its window (reading every camera at once); false, after
    // telling the operator, when the inventory cannot be used.
    bool Open(const QString& path);
    CamerasWindow* Window() const;
    // The change journal the Cameras window records every camera's reads and changes in (none: null).
    void SetJournal(journal::Journal* journal) { journal_ = journal; }

private:
    void Choose();

    MainWindow& window_;
    QPointer<CamerasWindow> cameras_;
    journal::Journal* journal_ = nullptr;
};

}  // namespace vr::gui
