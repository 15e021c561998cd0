#pragma once
// The terminal's window: a command line with "Send" as its default button, the traffic list and the
// buttons beside it, the status strip along the bottom. Resizable; closing only hides it.

#include <QDialog>
#include <memory>

#include "WidgetBinding.h"
#include "camera/Services.h"
#include "dialogs/TerminalDialog.h"

namespace vr::gui {

class StatusStrip;

class TerminalWindow : public QDialog, public platform::IDialogFrame {
    Q_OBJECT
public:
    TerminalWindow(camera::Services& services, dialogs::LogFolderStore folder, QWidget* parent = nullptr,
                   dialogs::CTerminalDialog::Clock clock = std::chrono::system_clock::now);
    ~TerminalWindow() override;

    dialogs::CTerminalDialog& Logic() { return *logic_; }
    WidgetBinding& Controls() { return controls_; }
    StatusStrip* Strip() const { return strip_; }

    // platform::IDialogFrame
    bool HasWindow() const override { return true; }
    void EnableWindow(bool enable) override { setEnabled(enable); }
    void ShowWindow(bool show) override;

protected:
    void reject() override;

private:
    camera::Services& services_;
    WidgetBinding controls_;
    StatusStrip* strip_ = nullptr;
    std::unique_ptr<dialogs::CTerminalDialog> logic_;
};

}  // namespace vr::gui
