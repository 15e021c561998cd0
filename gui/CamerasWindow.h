#pragma once
// The "Cameras" window: the positions of an inventory, each with its link, a lamp (online or
// offline), model, camera ID, memory area and whether it matches its golden file. "Refresh" reads all
// of them in parallel with progress per row; "Apply Recipe..." and "Snapshot All..." run on every
// camera and report in the same table, with each camera's differences or refused lines below it. A
// double click opens the camera's full main window, in a second process of the desktop tool: each
// camera window keeps its own session, settings store and long waits, and the overview stays free.

#include <QWidget>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "fleet/FleetRunner.h"
#include "fleet/Inventory.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace vr::journal {
class Journal;
}

namespace vr::gui {

class CamerasWindow : public QWidget, private fleet::IFleetObserver {
    Q_OBJECT
public:
    enum Column { kPosition, kLink, kLamp, kModel, kCameraId, kArea, kResult, kProgress, kColumnCount };
    static constexpr const char* kOnline = "online";
    static constexpr const char* kOffline = "offline";

    // Starts a program with these arguments; true when it started. The desktop tool by default.
    using Launcher = std::function<bool(const QStringList& arguments)>;

    // `journal` (may be null) records every camera's reads and changes; it outlives the window.
    CamerasWindow(fleet::Inventory inventory, const QString& path, QWidget* parent = nullptr,
                  journal::Journal* journal = nullptr);
    ~CamerasWindow() override;

    QTableWidget* Table() const { return table_; }
    QPlainTextEdit* Details() const { return details_; }
    QPushButton* RefreshButton() const { return refresh_; }
    QPushButton* StopButton() const { return stop_; }
    QProgressBar* RowProgress(int row) const;
    void SetLauncher(Launcher launcher) { launcher_ = std::move(launcher); }

    // Runs the operation on every camera in the background; false while another one runs.
    bool Start(const fleet::FleetRequest& request);
    bool Running() const { return worker_.joinable() && running_; }
    // The arguments that open a position's camera in the desktop tool, keeping this window's journal
    // (or none).
    QStringList OpenArguments(int row) const;

public slots:
    void Refresh();
    void ApplyRecipe();
    void SnapshotAll();
    void OpenCamera(int row);

signals:
    // Every camera of the run is done (the reports are in the table).
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // fleet::IFleetObserver, on the cameras' threads: handed to the window's thread.
    void OnProgress(size_t index, const std::string& text, int percent) override;
    void OnFinished(size_t index, const fleet::CameraReport& report) override;

    void ShowReport(int row, const fleet::CameraReport& report);
    void ShowDetails();
    void Ended();
    void SetBusy(bool busy);

    fleet::Inventory inventory_;
    Launcher launcher_;
    journal::Journal* journal_;
    QTableWidget* table_;
    QPlainTextEdit* details_;
    QLabel* summary_;
    QPushButton* refresh_;
    QPushButton* apply_;
    QPushButton* snapshot_;
    QPushButton* stop_;
    std::vector<fleet::CameraReport> reports_;
    std::unique_ptr<fleet::FleetRunner> runner_;
    fleet::FleetRequest request_;
    std::thread worker_;
    bool running_ = false;
};

}  // namespace vr::gui
