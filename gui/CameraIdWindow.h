#pragma once
// The camera ID editor's window ("Camera Id"): ten one-character fields and "Save", bound to their
// ids and wired to the editor's logic, which asks the camera as the window is made. Typing a
// character moves on to the next field; a pasted ID fills the fields from the one it lands in.

#include <QDialog>
#include <memory>

class QLineEdit;

#include "WidgetBinding.h"
#include "camera/CameraSession.h"
#include "identity/CameraId.h"
#include "identity/CameraIdDialog.h"

namespace vr::gui {

class CameraIdWindow : public QDialog, public platform::IDialogFrame {
    Q_OBJECT
public:
    CameraIdWindow(camera::CameraSession& session, bool factoryMode, QWidget* parent = nullptr);
    ~CameraIdWindow() override;

    identity::CCameraIdDialog& Logic() { return *logic_; }
    WidgetBinding& Controls() { return controls_; }

    QLineEdit* Field(size_t index) const;

    // platform::IDialogFrame
    bool HasWindow() const override { return true; }
    void EnableWindow(bool enable) override { setEnabled(enable); }
    void ShowWindow(bool show) override { setVisible(show); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnFieldEdited(size_t index, const QString& text);
    void RememberFields();

    WidgetBinding controls_;
    std::unique_ptr<identity::CCameraIdDialog> logic_;
    identity::CameraId::Fields shown_;  // the fields as they stood before the operator's last edit
};

}  // namespace vr::gui
