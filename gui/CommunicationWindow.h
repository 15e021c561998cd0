#pragma once
// The communication dialog's window: its controls bound to their ids, its buttons and lists wired to
// the dialog's logic. Closing it only hides it.

#include <QDialog>
#include <memory>

#include "WidgetBinding.h"
#include "camera/Services.h"
#include "dialogs/CommunicationDialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;

namespace vr::gui {

class StatusStrip;

class CommunicationWindow : public QDialog, public platform::IDialogFrame {
    Q_OBJECT
public:
    CommunicationWindow(camera::Services& services, dialogs::CommunicationHooks hooks, dialogs::LogFolderStore folder,
                        bool shutdownWasClean, QWidget* parent = nullptr);
    ~CommunicationWindow() override;

    dialogs::CCommunicationDialog& Logic() { return *logic_; }
    WidgetBinding& Controls() { return controls_; }
    StatusStrip* Strip() const { return strip_; }
    // The line-status lamp now shown: 502 offline, 503 online.
    int StatusIcon() const { return controls_.GetPicture(dialogs::comm::kStatusIcon); }
    // Whether the operator chose to reconnect by itself when the port is back (remembered).
    bool AutoReconnect() const;
    QCheckBox* AutoReconnectBox() const { return autoReconnect_; }

    // platform::IDialogFrame
    bool HasWindow() const override { return true; }
    void EnableWindow(bool enable) override { setEnabled(enable); }
    void ShowWindow(bool show) override;

signals:
    // "Reconnect": the main window reopens the remembered port and runs the start-up again.
    void reconnectRequested();

protected:
    void reject() override;
    void hideEvent(QHideEvent* event) override;

private:
    void Build();
    // One group box each, its controls bound.
    QGroupBox* BuildLineStatus();
    QGroupBox* BuildPortGroup();
    QGroupBox* BuildFilesGroup();
    QGroupBox* BuildCurrentArea();
    QGroupBox* BuildAreas();
    QGroupBox* BuildMessages();
    void Wire();
    // The first showing: where it was left last time, else beside the main window.
    void Place();
    void RememberPlace();

    camera::Services& services_;
    WidgetBinding controls_;
    StatusStrip* strip_ = nullptr;
    QComboBox* ports_ = nullptr;
    QCheckBox* autoReconnect_ = nullptr;
    bool placed_ = false;
    std::unique_ptr<dialogs::CCommunicationDialog> logic_;
};

}  // namespace vr::gui
