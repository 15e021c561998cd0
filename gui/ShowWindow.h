#pragma once
// How the tool's secondary windows appear when asked: restored, on top and active, or hidden (closing
// them only hides them).

#include <QWidget>

namespace vr::gui {

inline void ShowOrHide(QWidget& window, bool show) {
    if (!show) {
        window.hide();
        return;
    }
    window.showNormal();
    window.raise();
    window.activateWindow();
}

}  // namespace vr::gui
