#pragma once
// The shared progress window of long camera operations: a message and a bar from 0 to 100.

#include <QDialog>

class QLabel;
class QProgressBar;

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

protected:
    // Closing is the operation's business, not the operator's.
    void reject() override {}

private:
    QLabel* text_;
    QProgressBar* bar_;
};

}  // namespace vr::gui
