#pragma once
// Looks at the line a few times a second while the tool is idle (ui::LinkWatch decides): turns the
// tool offline the moment the line reports a hang-up, and when the remembered device is back offers
// Reconnect in the offline banner, or reconnects by itself when the communication dialog's box says so.

#include <QObject>

#include "ui/main/LinkWatch.h"

class QTimer;

namespace vr::gui {

class MainWindow;
class ReconnectAction;

class LinkWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int kLookMs = 250;

    LinkWatcher(MainWindow& window, ReconnectAction& reconnect);

    // One look now (the timer's); returns what was done.
    ui::LinkWatch::Action Look();

private:
    MainWindow& window_;
    ReconnectAction& reconnect_;
    ui::LinkWatch watch_;
    QTimer* timer_;
};

}  // namespace vr::gui
