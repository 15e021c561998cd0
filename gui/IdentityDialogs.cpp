#include "IdentityDialogs.h"

#include "AboutWindow.h"
#include "CameraIdWindow.h"
#include "MainWindow.h"
#include "UserIdWindow.h"
#include "identity/IdentityIds.h"

namespace vr::gui {

void IdentityDialogs::Register(ui::FeatureRouter& router) {
    router.AddMenuCommand(identity::kMenuAbout, [this] { ShowAbout(); });
    router.AddMenuCommand(identity::kMenuEditCameraId, [this] { ShowCameraId(); });
    router.AddMenuCommand(identity::kMenuEditUserId, [this] { ShowUserId(); });
}

void IdentityDialogs::ShowAbout() {
    AboutWindow dialog(window_.Services(), DesktopAboutSetup(window_.Logic().FactoryMode()), &window_);
    dialog.exec();
}

void IdentityDialogs::ShowCameraId() {
    CameraIdWindow dialog(window_.Logic().Session(), window_.Logic().FactoryMode(), &window_);
    dialog.exec();
}

void IdentityDialogs::ShowUserId() {
    UserIdWindow dialog(window_.Logic().Session(), &window_);
    dialog.exec();
}

}  // namespace vr::gui
