#pragma once
// SIGINT, SIGTERM and SIGHUP (a terminal's Ctrl+C, a session that logs out) end the tool the way its
// close box would, without the question: the settings are saved at exit and the virtual camera's link
// is removed. The handler only writes a byte to a pipe; the Qt event loop does the rest.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace vr::gui {

class QuitOnSignal : public QObject {
    Q_OBJECT
public:
    // `quit` runs on the event loop once a signal arrived.
    explicit QuitOnSignal(std::function<void()> quit, QObject* parent = nullptr);
    ~QuitOnSignal() override;

    // False when the pipe or a handler could not be set up; the tool then runs without it.
    bool Active() const { return notifier_ != nullptr; }

private:
    static void Handler(int signal);

    std::function<void()> quit_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vr::gui
