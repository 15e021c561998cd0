#include "WheelGuard.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QWheelEvent>

namespace vr::gui {

WheelGuard::WheelGuard(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

WheelGuard::~WheelGuard() {
    qApp->removeEventFilter(this);
}

bool WheelGuard::IsValueControl(const QWidget* widget) {
    if (widget == nullptr) return false;
    if (qobject_cast<const QScrollBar*>(widget) != nullptr) return false;  // scrolling is what it is for
    return qobject_cast<const QComboBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractSlider*>(widget) != nullptr;
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!IsValueControl(widget)) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Polish) {
        // A control that takes the focus from the wheel itself would then take the wheel's turn too.
        if (widget->focusPolicy() == Qt::WheelFocus) widget->setFocusPolicy(Qt::StrongFocus);
        return QObject::eventFilter(watched, event);
    }
    if (event->type() != QEvent::Wheel || widget->hasFocus()) return QObject::eventFilter(watched, event);
    // The page the control stands on scrolls instead; where none does, the turn is used up.
    for (QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(up)) {
            auto* wheel = static_cast<QWheelEvent*>(event);
            const QPointF at = area->viewport()->mapFromGlobal(wheel->globalPosition());
            QWheelEvent forwarded(at, wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(),
                                  wheel->buttons(), wheel->modifiers(), wheel->phase(), wheel->inverted(),
                                  wheel->source(), wheel->pointingDevice());
            QCoreApplication::sendEvent(area->viewport(), &forwarded);
            break;
        }
    }
    return true;
}

}  // namespace vr::gui
