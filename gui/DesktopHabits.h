#pragma once
// What an operator expects of a program on a Linux desk, put around the main window: the common keys
// for the file commands and Reload, Ctrl+F for the parameter search, the window where it was left,
// the settings files used last in File > Recent, the status bar, Reconnect (Settings menu, Ctrl+R, the
// status bar's menu and the offline banner) with the watch on the line, and colours that follow a
// dark desktop.

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <memory>

#include "LinkWatcher.h"
#include "ParameterSearchWindow.h"
#include "ReconnectAction.h"
#include "platform/RecentFiles.h"

class QPalette;

namespace vr::gui {

class Features;
class MainWindow;
class StatusBar;

// Whether a palette is a dark one: its window colour darker than the text on it.
bool IsDarkPalette(const QPalette& palette);

class DesktopHabits : public QObject {
    Q_OBJECT
public:
    static constexpr int kRecentMenuPosition = 0;
    static constexpr int kSettingsMenuPosition = 1;

    // Before the window is first shown: puts back its last size and position.
    DesktopHabits(MainWindow& window, Features& features);
    ~DesktopHabits() override;

    StatusBar& Status() { return *status_; }
    ReconnectAction& Reconnect() { return *reconnect_; }
    LinkWatcher& Watcher() { return *watcher_; }
    ParameterSearchWindow& Search() { return *search_; }
    QAction* FindAction() const { return find_; }
    QMenu* RecentMenu() const { return recent_; }
    const platform::RecentFiles& Recent() const { return recentFiles_; }

    // Opens a file of the Recent list; one that is gone is reported and taken off the list.
    void OpenRecent(const QString& path);
    void SaveGeometry();
    // Puts back the stored size and position; false when none was stored or it was unusable.
    bool RestoreGeometry();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddShortcuts();
    void FillRecentMenu();

    MainWindow& window_;
    Features& features_;
    platform::RecentFiles recentFiles_;
    std::unique_ptr<StatusBar> status_;
    QPointer<ReconnectAction> reconnect_;
    QPointer<LinkWatcher> watcher_;
    QPointer<ParameterSearchWindow> search_;
    QPointer<QAction> find_;
    QPointer<QMenu> recent_;
};

}  // namespace vr::gui
