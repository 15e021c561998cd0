#include "CameraListAction.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>

#include "CamerasWindow.h"
#include "MainWindow.h"
#include "camera/Services.h"
#include "fleet/Inventory.h"
#include "platform/Platform.h"

namespace vr::gui {

CameraListAction::CameraListAction(MainWindow& window) : QObject(&window), window_(window) {
    QMenu* file = window_.Menu(0);
    if (file == nullptr) return;
    auto* action = new QAction(tr(kCaption), file);
    action->setObjectName("openCameraList");
    // Right above "E&xit", the menu's last item.
    const QList<QAction*> actions = file->actions();
    QAction* before = actions.isEmpty() ? nullptr : actions.back();
    file->insertAction(before, action);
    connect(action, &QAction::triggered, this, &CameraListAction::Choose);
}

CamerasWindow* CameraListAction::Window() const {
    return cameras_.data();
}

void CameraListAction::Choose() {
    const QString path =
        QFileDialog::getOpenFileName(&window_, tr("Open Camera List"), {}, tr("Camera list (*.toml);;All files (*)"));
    if (!path.isEmpty()) Open(path);
}

bool CameraListAction::Open(const QString& path) {
    const fleet::Inventory inventory = fleet::ReadInventory(path.toStdString());
    if (!inventory.Usable()) {
        std::string text = path.toStdString() + "\nThis camera list cannot be used:";
        for (const auto& problem : inventory.problems) text += "\n" + problem.Describe();
        window_.Services().platform.MessageBox(text, platform::kAppTitle, platform::MsgIcon::Exclamation);
        return false;
    }
    if (cameras_) cameras_->close();
    delete cameras_;
    cameras_ = new CamerasWindow(inventory, path, &window_, journal_);
    cameras_->show();
    cameras_->Refresh();
    return true;
}

}  // namespace vr::gui
