#pragma once
// The camera ID editor's window ("Camera Id"): ten one-character fields and "Save", bound to their
// ids and wired to the editor's logic, which asks the camera as the window is made.

#include <QDialog>
#include <memory>

#include "WidgetBinding.h"
#include "camera/Services.h"
#include "identity/CameraIdDialog.h"

namespace vr::gui {

class CameraIdDialog : public QDialog, public platform::IDialogFrame {
    Q_OBJECT
public:
    CameraIdDialog(camera::Services& services, bool factoryMode, QWidget* parent = nullptr);
    ~CameraIdDialog() override;

    identity::CCameraIdDialog& Logic() { return *logic_; }
    WidgetBinding& Controls() { return controls_; }

    // platform::IDialogFrame
    bool HasWindow() const override { return true; }
    void EnableWindow(bool enable) override { setEnabled(enable); }
    void ShowWindow(bool show) override { setVisible(show); }

private:
    WidgetBinding controls_;
    std::unique_ptr<identity::CCameraIdDialog> logic_;
};

}  // namespace vr::gui
