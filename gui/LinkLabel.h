#pragma once
// A text that works as a link: drawn in the link colour and underlined, the pointing hand over it, and
// a click (or Enter or Space when it has the focus) announced to whoever opens what it names.

#include <QLabel>

namespace vr::gui {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ApplyColour();
};

}  // namespace vr::gui
