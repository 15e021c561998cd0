#pragma once
// "Reconnect": after a USB adapter was unplugged and plugged back in, reopens the remembered port and
// runs the start-up again, so the pages refill without restarting the tool. The status bar's menu
// holds it and the communication dialog's button triggers it.

#include <QAction>

namespace vr::gui {

class MainWindow;

class ReconnectAction : public QAction {
    Q_OBJECT
public:
    static constexpr int kNotRun = -1;

    explicit ReconnectAction(MainWindow& window);

    // 1 when a camera answered, 0 when none did, kNotRun while a command or a long operation is
    // under way (a second start-up inside it would pull the line away from it).
    int Run();

signals:
    void reconnected(int result);

private:
    MainWindow& window_;
};

}  // namespace vr::gui
