#pragma once
// The identity feature of the desktop tool: the device information dialog (Help menu) and the camera
// and user ID editors (Utility menu), each opened modally and gone when closed.

#include "ui/main/FeatureRouter.h"

namespace vr::gui {

class MainWindow;

class IdentityDialogs {
public:
    explicit IdentityDialogs(MainWindow& window) : window_(window) {}

    void Register(ui::FeatureRouter& router);

    void ShowAbout();
    void ShowCameraId();
    void ShowUserId();

private:
    MainWindow& window_;
};

}  // namespace vr::gui
