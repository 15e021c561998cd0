#pragma once
// The main window's status bar: port, rate, camera model, memory area, control mode and line status
// as permanent fields on the right, so the message area on the left stays free for passing texts.
// Its context menu holds the actions given to it (Reconnect).

#include <QLabel>
#include <QObject>
#include <QPointer>

#include "protocol/OnlineStatus.h"
#include "ui/status/StatusTexts.h"

class QMainWindow;
class QTimer;

namespace vr::camera {
struct Services;
}
namespace vr::ui {
class CCtrlToolDlg;
}

namespace vr::gui {

class StatusBar : public QObject, public protocol::COnlineStatusUpdater {
    Q_OBJECT
public:
    // Fields are compared with the tool's state this often; a change shows at the next look.
    static constexpr int kRefreshMs = 200;
    // The port field's width in characters, before a long path is shortened in the middle.
    static constexpr int kPortChars = 32;

    StatusBar(QMainWindow& window, ui::CCtrlToolDlg& logic);
    ~StatusBar() override;

    // Shows the state now.
    void Refresh();
    const ui::StatusTexts& Shown() const { return shown_; }
    QLabel* Field(const char* objectName) const;
    void AddContextAction(QAction* action);

    // COnlineStatusUpdater: the line status follows the engine at once.
    bool HasStrip() const override { return true; }
    void SetStripPicture(int32_t picture) override;

private:
    QLabel* AddField(const char* objectName, const QString& toolTip);

    QMainWindow& window_;
    ui::CCtrlToolDlg& logic_;
    protocol::OnlineStatusBroadcaster& status_;
    QPointer<QLabel> port_, rate_, model_, area_, mode_, line_, lamp_;
    QTimer* timer_ = nullptr;
    ui::StatusTexts shown_;
    bool first_ = true;
};

}  // namespace vr::gui
