#pragma once
// The user ID editor's window ("User Id"): the edit and "Save", bound to their ids and wired to the
// editor's logic, which asks the camera as the window is made.

#include <QDialog>
#include <memory>

#include "WidgetBinding.h"
#include "camera/CameraSession.h"
#include "identity/UserIdDialog.h"

namespace vr::gui {

class UserIdWindow : public QDialog, public platform::IDialogFrame {
    Q_OBJECT
public:
    explicit UserIdWindow(camera::CameraSession& session, QWidget* parent = nullptr);
    ~UserIdWindow() override;

    identity::CUserIdDialog& Logic() { return *logic_; }
    WidgetBinding& Controls() { return controls_; }

    // platform::IDialogFrame
    bool HasWindow() const override { return true; }
    void EnableWindow(bool enable) override { setEnabled(enable); }
    void ShowWindow(bool show) override { setVisible(show); }

private:
    WidgetBinding controls_;
    std::unique_ptr<identity::CUserIdDialog> logic_;
};

}  // namespace vr::gui
