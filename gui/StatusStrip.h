#pragma once
// The thin online/offline strip along the bottom of every dialog: red while the camera has not
// answered (or stopped answering), green once it answers.

#include <QWidget>

namespace vr::gui {

class StatusStrip : public QWidget {
    Q_OBJECT
public:
    explicit StatusStrip(QWidget* parent = nullptr);

    // The picture resource: 303 online (green), anything else offline (red).
    void SetPicture(int picture);
    bool IsOnline() const { return online_; }
    QColor Colour() const { return Colour(online_); }
    static QColor Colour(bool online);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool online_ = false;
};

}  // namespace vr::gui
