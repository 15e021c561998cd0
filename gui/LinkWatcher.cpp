#include "LinkWatcher.h"

#include <QApplication>
#include <QStatusBar>
#include <QTimer>

#include "CommunicationWindow.h"
#include "MainWindow.h"
#include "ReconnectAction.h"
#include "link/CommSetting.h"
#include "platform/FileIo.h"
#include "protocol/Command.h"
#include "protocol/OnlineStatus.h"

namespace vr::gui {

LinkWatcher::LinkWatcher(MainWindow& window, ReconnectAction& reconnect)
    : QObject(&window), window_(window), reconnect_(reconnect), timer_(new QTimer(this)) {
    timer_->setInterval(kLookMs);
    connect(timer_, &QTimer::timeout, this, [this] { Look(); });
    timer_->start();
    // Whoever ran the reconnect, an offer that stood has been taken.
    connect(&reconnect_, &ReconnectAction::reconnected, this, [this] {
        watch_.ClearOffer();
        window_.Logic().OfferReconnect({});
    });
}

ui::LinkWatch::Action LinkWatcher::Look() {
    camera::Services& services = window_.Services();
    if (window_.Logic().Closed()) return ui::LinkWatch::Action::None;
    ui::LinkWatch::Look look;
    look.busy = services.engine.Busy() || services.dialogs.Disabled() || QApplication::activeModalWidget() != nullptr;
    look.lineOpen = services.link.IsOpen();
    look.lineLost = services.link.Lost();
    look.online = services.status.IsOnline();
    look.device = services.link.RememberedDevice();
    // A link whose target is gone (a pseudo-terminal closed) counts as absent, as a node removed does.
    look.devicePresent = platform::FileExists(look.device);
    look.autoReconnect = window_.Communication() != nullptr && window_.Communication()->AutoReconnect();
    const ui::LinkWatch::Action action = watch_.Poll(look);
    switch (action) {
        case ui::LinkWatch::Action::GoOffline:
            // The strips, the status bar and the banner follow the broadcaster.
            services.status.SetOffline();
            break;
        case ui::LinkWatch::Action::OfferReconnect:
            window_.Logic().OfferReconnect(look.device);
            window_.statusBar()->showMessage(tr("%1 is there again").arg(QString::fromStdString(look.device)), 8000);
            break;
        case ui::LinkWatch::Action::Reconnect:
            reconnect_.Run();
            break;
        case ui::LinkWatch::Action::None:
            break;
    }
    return action;
}

}  // namespace vr::gui
