#pragma once
// The shared progress window of long camera operations: a message, a bar from 0 to 100 (or a busy
// indicator for a wait of unknown length) and, while the operation or a long wait for the camera may
// be stopped, a Cancel button. Its close box and Escape are Cancel too, and only while it is offered.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vr::gui {

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBarId = 1011;
    static constexpr int kTextId = 1013;

    explicit ProgressWindow(QWidget* parent);

    // The window grows to show the whole text; it does not shrink back, so a counter that runs
    // ("(9 / 256)", "(10 / 256)") does not make it jump.
    void SetText(const QString& text);
    void SetPos(int percent);
    // A busy indicator instead of a part done.
    void SetBusy(bool busy);
    bool Busy() const;
    QString Text() const;
    int Pos() const;
    // The operation's offer (between its commands) and a long wait's offer; Cancel shows while
    // either stands. The operation asks CancelRequested().
    void AllowCancel(bool allow);
    void AllowWaitCancel(bool allow);
    bool CancelOffered() const { return operationCancel_ || waitCancel_; }
    bool CancelRequested() const { return cancelRequested_; }
    QPushButton* CancelButton() const { return cancel_; }

protected:
    // Escape and the close box ask to stop, as Cancel does; the window itself closes when the
    // operation is done.
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void RequestCancel();
    void ShowCancel();

    QLabel* text_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool operationCancel_ = false;
    bool waitCancel_ = false;
    bool cancelRequested_ = false;
};

}  // namespace vr::gui
