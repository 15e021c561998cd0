#include "IdentityDialogs.h"

#include "AboutDialog.h"
#include "CameraIdDialog.h"
#include "MainWindow.h"
#include "UserIdDialog.h"
#include "identity/IdentityIds.h"

namespace vr::gui {

void IdentityDialogs::Register(ui::FeatureRouter& router) {
    router.AddMenuCommand(identity::kMenuAbout, [this] { ShowAbout(); });
    router.AddMenuCommand(identity::kMenuEditCameraId, [this] { ShowCameraId(); });
    router.AddMenuCommand(identity::kMenuEditUserId, [this] { ShowUserId(); });
}

void IdentityDialogs::ShowAbout() {
    AboutDialog dialog(window_.Services(), DesktopAboutSetup(window_.Logic().FactoryMode()), &window_);
    dialog.exec();
}

void IdentityDialogs::ShowCameraId() {
    CameraIdDialog dialog(window_.Services(), window_.Logic().FactoryMode(), &window_);
    dialog.exec();
}

void IdentityDialogs::ShowUserId() {
    UserIdDialog dialog(window_.Services(), &window_);
    dialog.exec();
}

}  // namespace vr::gui
