#include "protocol/OnlineStatus.h"

#include <algorithm>

namespace vr::protocol {

COnlineStatusUpdater::~COnlineStatusUpdater() {
    // A dialog that forgot to unregister must not leave a dangling pointer behind.
    if (broadcaster_ != nullptr) broadcaster_->Unregister(this);
}

OnlineStatusBroadcaster::~OnlineStatusBroadcaster() {
    for (auto* u : updaters_) u->broadcaster_ = nullptr;
}

void OnlineStatusBroadcaster::Register(COnlineStatusUpdater* updater) {
    if (updater->broadcaster_ != nullptr && updater->broadcaster_ != this) updater->broadcaster_->Unregister(updater);
    if (std::find(updaters_.begin(), updaters_.end(), updater) == updaters_.end()) updaters_.push_back(updater);
    updater->broadcaster_ = this;
    updater->SetStripPicture(picture_);
}

void OnlineStatusBroadcaster::Unregister(COnlineStatusUpdater* updater) {
    updaters_.erase(std::remove(updaters_.begin(), updaters_.end(), updater), updaters_.end());
    if (updater->broadcaster_ == this) updater->broadcaster_ = nullptr;
}

void OnlineStatusBroadcaster::SetOffline() {
    Broadcast(kStripOffline, 0);
}

void OnlineStatusBroadcaster::SetOnline() {
    Broadcast(kStripOnline, 1);
}

void OnlineStatusBroadcaster::Broadcast(int32_t picture, int32_t status) {
    picture_ = picture;
    // A status handler may open or close dialogs; work on a copy of the list, and skip one that
    // went away meanwhile.
    const std::vector<COnlineStatusUpdater*> targets = updaters_;
    auto registered = [this](COnlineStatusUpdater* u) {
        return std::find(updaters_.begin(), updaters_.end(), u) != updaters_.end();
    };
    for (auto* u : targets)
        if (registered(u) && u->HasStrip()) u->SetStripPicture(picture);
    for (auto* u : targets)
        if (registered(u) && u->HasStrip()) u->OnStatusChanged(status);
}

void DialogRegistry::Add(IRegisteredDialog* dialog) {
    if (std::find(dialogs_.begin(), dialogs_.end(), dialog) != dialogs_.end()) return;
    dialogs_.push_back(dialog);
    // A dialog opened while a long operation runs is greyed like the others.
    if (depth_ > 0 && dialog->HasWindow()) dialog->EnableWindow(false);
}

void DialogRegistry::Remove(IRegisteredDialog* dialog) {
    dialogs_.erase(std::remove(dialogs_.begin(), dialogs_.end(), dialog), dialogs_.end());
}

void DialogRegistry::DisableAll() {
    ++depth_;
    for (auto* d : dialogs_)
        if (d->HasWindow()) d->EnableWindow(false);
}

void DialogRegistry::EnableAll() {
    if (depth_ > 0) --depth_;
    if (depth_ > 0) return;
    for (auto* d : dialogs_)
        if (d->HasWindow()) d->EnableWindow(true);
}

}  // namespace vr::protocol
