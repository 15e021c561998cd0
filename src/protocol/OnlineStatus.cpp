#include "protocol/OnlineStatus.h"

#include <algorithm>

namespace vr::protocol {

COnlineStatusUpdater::~COnlineStatusUpdater() {
    // A dialog that forgot to unregister must not leave a dangling pointer behind.
    OnlineStatusBroadcaster::Instance().Unregister(this);
}

OnlineStatusBroadcaster& OnlineStatusBroadcaster::Instance() {
    static OnlineStatusBroadcaster instance;
    return instance;
}

void OnlineStatusBroadcaster::Register(COnlineStatusUpdater* updater) {
    updaters_.push_back(updater);
    updater->SetStripPicture(picture_);
}

void OnlineStatusBroadcaster::Unregister(COnlineStatusUpdater* updater) {
    updaters_.erase(std::remove(updaters_.begin(), updaters_.end(), updater), updaters_.end());
}

void OnlineStatusBroadcaster::SetOffline() { Broadcast(kStripOffline, 0); }

void OnlineStatusBroadcaster::SetOnline() { Broadcast(kStripOnline, 1); }

void OnlineStatusBroadcaster::Broadcast(int32_t picture, int32_t status) {
    picture_ = picture;
    // A status handler may open or close dialogs; work on a copy of the list.
    const std::vector<COnlineStatusUpdater*> targets = updaters_;
    for (auto* u : targets)
        if (u->HasStrip()) u->SetStripPicture(picture);
    for (auto* u : targets)
        if (u->HasStrip()) u->OnStatusChanged(status);
}

DialogRegistry& DialogRegistry::Instance() {
    static DialogRegistry instance;
    return instance;
}

void DialogRegistry::Add(IRegisteredDialog* dialog) { dialogs_.push_back(dialog); }

void DialogRegistry::Remove(IRegisteredDialog* dialog) {
    dialogs_.erase(std::remove(dialogs_.begin(), dialogs_.end(), dialog), dialogs_.end());
}

void DialogRegistry::DisableAll() {
    for (auto* d : dialogs_)
        if (d->HasWindow()) d->EnableWindow(false);
}

void DialogRegistry::EnableAll() {
    for (auto* d : dialogs_)
        if (d->HasWindow()) d->EnableWindow(true);
}

}  // namespace vr::protocol
