#pragma once
// An up-down control beside its buddy edit, the way the pages are laid out: a 32-bit position in a
// range, the buddy showing it as "%d". A click only announces the step; the window logic decides
// whether the control moves (a value the camera refuses does not), and moves it itself.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace vr::gui {

class SpinButtons : public QWidget {
    Q_OBJECT
public:
    explicit SpinButtons(QWidget* parent = nullptr);

    // The buddy's Up and Down keys step the control too.
    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const { return buddy_; }

    // A range may be given upside down; the position stays between its two ends either way.
    void SetRange(int32_t low, int32_t high);
    int32_t Low() const { return low_; }
    int32_t High() const { return high_; }
    int32_t Position() const { return pos_; }
    // Sets the position (kept within the range) and writes it into the buddy.
    void SetPosition(int32_t pos);
    // What a click on the upper (+1) or lower (-1) button does; also the Up and Down keys of the buddy.
    void Step(int delta);

signals:
    void stepRequested(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* buddy_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int32_t low_ = 0;
    int32_t high_ = 100;
    int32_t pos_ = 0;
};

}  // namespace vr::gui
