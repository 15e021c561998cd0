#include "ReconnectAction.h"

#include <QApplication>
#include <QStatusBar>

#include "CommunicationWindow.h"
#include "MainWindow.h"
#include "link/CommSetting.h"
#include "protocol/Command.h"
#include "protocol/OnlineStatus.h"

namespace vr::gui {
namespace {

constexpr int kMessageMs = 8000;

class ScopedWaitCursor {
public:
    ScopedWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~ScopedWaitCursor() { QApplication::restoreOverrideCursor(); }
    ScopedWaitCursor(const ScopedWaitCursor&) = delete;
    ScopedWaitCursor& operator=(const ScopedWaitCursor&) = delete;
};

}  // namespace

ReconnectAction::ReconnectAction(MainWindow& window) : QAction(tr("Re&connect"), &window), window_(window) {
    setObjectName("reconnect");
    setToolTip(tr("Open the port again and run the start-up, after an adapter was plugged back in"));
    connect(this, &QAction::triggered, this, [this] { Run(); });
    connect(&window_, &MainWindow::reconnectRequested, this, [this] { Run(); });
}

int ReconnectAction::Run() {
    camera::Services& services = window_.Services();
    if (services.engine.Busy() || services.dialogs.Disabled() || window_.Logic().Closed()) return kNotRun;
    int result = 0;
    {
        ScopedWaitCursor wait;
        result = window_.Logic().Reconnect();
    }
    // The port list may have changed with the adapter; the dialog shows it afresh, and the rate the
    // start-up left the line at.
    if (CommunicationWindow* communication = window_.Communication()) {
        communication->Logic().FillPortList();
        communication->Logic().SelectBaud(services.link.GetBaudIndex());
    }
    const QString port =
        QString::fromStdString(services.link.GetPortName(static_cast<int>(services.link.GetPortIndex())));
    window_.statusBar()->showMessage(
        result == 1 ? tr("The camera answered on %1").arg(port) : tr("No camera answered on %1").arg(port), kMessageMs);
    emit reconnected(result);
    return result;
}

}  // namespace vr::gui
