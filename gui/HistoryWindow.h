#pragma once
// The History window: the journal's timeline of the camera on this link, the differences between
// any two of its snapshots (or a snapshot and the camera as last read), and Revert, which writes the
// first snapshot's values back to the camera.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "journal/Entry.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace vr::camera {
class CameraSession;
}
namespace vr::journal {
class Journal;
}

namespace vr::gui {

class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    // `afterRevert` shows the camera's values again once a revert went out.
    HistoryWindow(journal::Journal& journal, camera::CameraSession& session, std::function<void()> afterRevert,
                  QWidget* parent = nullptr);

    // Reads the journal again, once it wrote what it was handed.
    void Reload();

    QTableWidget* Timeline() const { return timeline_; }
    QTableWidget* Differences() const { return differences_; }
    QComboBox* From() const { return from_; }
    QComboBox* To() const { return to_; }
    QPushButton* RevertButton() const { return revert_; }
    QLabel* Summary() const { return summary_; }

    // Writes the "From" snapshot's differing values back, after asking; true when all were taken.
    bool Revert();

private:
    void Compare();
    // The values of the snapshot a list chose: an index into snapshots_, or the camera as last read.
    std::vector<std::string> Chosen(const QComboBox* box) const;

    journal::Journal& journal_;
    camera::CameraSession& session_;
    std::function<void()> afterRevert_;
    std::vector<journal::Entry> snapshots_;
    QLabel* summary_;
    QTableWidget* timeline_;
    QComboBox* from_;
    QComboBox* to_;
    QTableWidget* differences_;
    QPushButton* revert_;
};

}  // namespace vr::gui
