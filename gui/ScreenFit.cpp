#include "ScreenFit.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace vr::gui {

QRect FitIntoArea(const QRect& geometry, const QMargins& frame, const QRect& available) {
    const int width = std::max(1, std::min(geometry.width(), available.width() - frame.left() - frame.right()));
    const int height = std::max(1, std::min(geometry.height(), available.height() - frame.top() - frame.bottom()));
    // The frame's top-left corner, kept where it is unless part of the frame would leave the area.
    const int outerWidth = width + frame.left() + frame.right();
    const int outerHeight = height + frame.top() + frame.bottom();
    int left = geometry.left() - frame.left();
    int top = geometry.top() - frame.top();
    left = std::clamp(left, available.left(), std::max(available.left(), available.right() + 1 - outerWidth));
    top = std::clamp(top, available.top(), std::max(available.top(), available.bottom() + 1 - outerHeight));
    return {left + frame.left(), top + frame.top(), width, height};
}

QMargins FrameMargins(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    if (outer != inner)
        return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                outer.bottom() - inner.bottom()};
    const QStyle* style = window.style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return {border, title + border, border, border};
}

QPoint PlaceBeside(const QRect& beside, const QSize& outer, const QRect& available) {
    int left = beside.right() + 1;
    if (left + outer.width() > available.right() + 1) left = beside.left() - outer.width();
    if (left < available.left()) left = available.right() + 1 - outer.width();
    return {std::max(left, available.left()), std::max(available.top(), beside.top())};
}

void FitIntoScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) return;
    const QMargins frame = FrameMargins(window);
    const QRect fitted = FitIntoArea(window.geometry(), frame, screen->availableGeometry());
    if (fitted.size() != window.size()) window.resize(fitted.size());
    // move() places the frame's corner.
    if (fitted.topLeft() != window.geometry().topLeft())
        window.move(fitted.topLeft() - QPoint(frame.left(), frame.top()));
}

}  // namespace vr::gui
