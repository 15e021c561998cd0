#include "SpinButtons.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace vr::gui {

SpinButtons::SpinButtons(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
    up_->setAccessibleName(tr("Increase"));
    down_->setAccessibleName(tr("Decrease"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    setFocusPolicy(Qt::NoFocus);
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void SpinButtons::SetBuddy(QLineEdit* buddy) {
    if (buddy_ != nullptr) buddy_->removeEventFilter(this);
    buddy_ = buddy;
    if (buddy_ != nullptr) buddy_->installEventFilter(this);
}

void SpinButtons::SetRange(int32_t low, int32_t high) {
    low_ = std::min(low, high);
    high_ = std::max(low, high);
    pos_ = std::clamp(pos_, low_, high_);
}

void SpinButtons::SetPosition(int32_t pos) {
    pos_ = std::clamp(pos, low_, high_);
    if (buddy_ != nullptr) buddy_->setText(QString::number(pos_));
}

void SpinButtons::Step(int delta) {
    if (isEnabled()) emit stepRequested(delta);
}

bool SpinButtons::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    // The wheel steps as the keys do, but only the edit being worked in: a wheel turned over a page
    // scrolls it rather than changing whatever value passes under the pointer.
    if (watched == buddy_ && event->type() == QEvent::Wheel && buddy_->hasFocus()) {
        const int dy = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (dy != 0) Step(dy > 0 ? 1 : -1);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vr::gui
