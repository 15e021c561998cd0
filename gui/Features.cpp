#include "Features.h"

#include "IdentityDialogs.h"
#include "MainWindow.h"

namespace vr::gui {

Features::Features(MainWindow& window) : window_(window), identity_(std::make_unique<IdentityDialogs>(window)) {
    identity_->Register(window_.Logic().Router());
}

Features::~Features() = default;

}  // namespace vr::gui
