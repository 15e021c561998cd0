#pragma once
// Top-level windows placed and sized within the screen's available area (the screen less its panels),
// frame and title bar included: a window taller than the room left would otherwise hang off the
// bottom edge by its frame.

#include <QMargins>
#include <QRect>

class QWidget;

namespace vr::gui {

// The window's geometry (its inside, as QWidget::geometry) that puts the frame around it wholly
// within `available`: shrunk where it does not fit, moved as little as it must.
QRect FitIntoArea(const QRect& geometry, const QMargins& frame, const QRect& available);

// The frame the window system puts around the window; before the window is first mapped, when the
// system has not said yet, the style's title bar and borders.
QMargins FrameMargins(const QWidget& window);

// Applies FitIntoArea to a top-level window on its screen.
void FitIntoScreen(QWidget& window);

// Where a window whose frame is `outer` big goes beside another window's frame `beside`: to its right
// where the area has room, else to its left, else at the area's right edge; level with its top.
// Returns the frame's top-left corner.
QPoint PlaceBeside(const QRect& beside, const QSize& outer, const QRect& available);

}  // namespace vr::gui
