#pragma once
// The mouse wheel changes a value control (a drop-down list, a spin box, a slider) only while that
// control has the keyboard focus; turned over any other, it scrolls the page the control stands on,
// so scrolling through a page never changes a camera setting by passing over it. Installed once on
// the application, it covers every window of the tool.

#include <QObject>

class QWidget;

namespace vr::gui {

class WheelGuard : public QObject {
    Q_OBJECT
public:
    explicit WheelGuard(QObject* parent = nullptr);
    ~WheelGuard() override;

    // Whether the wheel over this widget would change a value.
    static bool IsValueControl(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace vr::gui
