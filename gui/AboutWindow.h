#pragma once
// The device information dialog's window ("About This Control"): its controls bound to their ids and
// wired to the dialog's logic, which asks the camera as the window is made.

#include <QDialog>
#include <memory>

#include "WidgetBinding.h"
#include "camera/Services.h"
#include "identity/AboutDialog.h"

class QGridLayout;
class QGroupBox;

namespace vr::gui {

class AboutWindow : public QDialog, public platform::IDialogFrame {
    Q_OBJECT
public:
    AboutWindow(camera::Services& services, identity::AboutSetup setup, QWidget* parent = nullptr);
    ~AboutWindow() override;

    identity::CAboutDialog& Logic() { return *logic_; }
    WidgetBinding& Controls() { return controls_; }

    // platform::IDialogFrame
    bool HasWindow() const override { return true; }
    void EnableWindow(bool enable) override { setEnabled(enable); }
    void ShowWindow(bool show) override { setVisible(show); }

private:
    void Build();
    // The parts of the window, their controls bound.
    QGridLayout* BuildHeading();
    QGroupBox* BuildCameraData();
    QGroupBox* BuildHelp();
    void Wire();

    WidgetBinding controls_;
    std::unique_ptr<identity::CAboutDialog> logic_;
};

// The document behind the dialog's link: the README installed with the tool, or the one beside its
// source when the tool runs from its build folder.
std::string DocumentationPath();

// The dialog as the desktop tool opens it: the help files of the folder the tool was started in, the
// tool's documentation behind the link.
identity::AboutSetup DesktopAboutSetup(bool factoryMode);

}  // namespace vr::gui
