#pragma once
// The change journal in the desktop tool: it records what the window's camera session does, shows
// in the status bar when the journal is off or failing, and opens the History window (File menu,
// Ctrl+H).

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

class QLabel;
class QTimer;

namespace vr::journal {
class Journal;
class Recorder;
}  // namespace vr::journal

namespace vr::gui {

class MainWindow;
class HistoryWindow;

class JournalFront : public QObject {
    Q_OBJECT
public:
    // `path` empty: the journal is off for this run.
    JournalFront(MainWindow& window, const std::string& path);
    ~JournalFront() override;

    // What the status bar says; empty while the journal writes as it should.
    QString StateText() const;
    QLabel* StateField() const { return state_; }
    HistoryWindow* ShowHistory();
    journal::Journal* Journal() const { return journal_.get(); }

private:
    void Refresh();

    MainWindow& window_;
    std::unique_ptr<journal::Journal> journal_;
    std::unique_ptr<journal::Recorder> recorder_;
    QLabel* state_;
    QTimer* timer_;
    QPointer<HistoryWindow> history_;
};

}  // namespace vr::gui
