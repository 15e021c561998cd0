#pragma once
// A push button that is never a dialog's default: Enter in a window of this tool closes a dialog or
// belongs to the field it is typed in, and never presses a button that talks to the camera.

#include <QPushButton>
#include <QString>

namespace vr::gui {

inline QPushButton* PlainButton(const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setAutoDefault(false);
    return b;
}

}  // namespace vr::gui
