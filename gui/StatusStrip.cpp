#include "StatusStrip.h"

#include <QPainter>

#include "protocol/OnlineStatus.h"

namespace vr::gui {

StatusStrip::StatusStrip(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    SetPicture(protocol::kStripOffline);
}

void StatusStrip::SetPicture(int picture) {
    online_ = picture == protocol::kStripOnline;
    // Colour alone does not reach everyone: say it for screen readers and in the tooltip.
    const QString state = online_ ? tr("Online") : tr("Offline");
    setToolTip(state);
    setAccessibleName(state);
    update();
}

QColor StatusStrip::Colour(bool online) {
    // Mid tones that stand out on light and dark palettes alike.
    return online ? QColor(0x2e, 0xa0, 0x43) : QColor(0xd9, 0x30, 0x25);
}

QSize StatusStrip::sizeHint() const {
    return {40, qMax(6, fontMetrics().height() / 3)};
}

void StatusStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Colour());
}

}  // namespace vr::gui
