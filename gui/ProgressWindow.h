#pragma once
// The shared progress window of long camera operations: a message, a bar from 0 to 100 and, while
// the operation may be stopped, a Cancel button.

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

    void SetText(const QString& text);
    void SetPos(int percent);
    QString Text() const;
    int Pos() const;
    // Shows Cancel (or hides it again); the operation asks CancelRequested() between commands.
    void AllowCancel(bool allow);
    bool CancelRequested() const { return cancelRequested_; }
    QPushButton* CancelButton() const { return cancel_; }

protected:
    // Closing is the operation's business, not the operator's.
    void reject() override {}

private:
    QLabel* text_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool cancelRequested_ = false;
};

}  // namespace vr::gui
