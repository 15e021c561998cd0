#include "DesktopHabits.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QPalette>

#include "Features.h"
#include "LinkWatcher.h"
#include "MainWindow.h"
#include "ParameterSearchWindow.h"
#include "ReconnectAction.h"
#include "StatusBar.h"
#include "camera/Services.h"
#include "platform/Platform.h"
#include "platform/Registry.h"
#include "protocol/Command.h"
#include "protocol/OnlineStatus.h"
#include "ui/fronts/SettingsFeature.h"
#include "ui/main/MenuTable.h"

namespace vr::gui {
namespace {

// The menu action of a command id, or nullptr.
QAction* MenuAction(MainWindow& window, uint32_t id) {
    return window.findChild<QAction*>(QString::number(id));
}

// The id the menu table gives a command.
uint32_t MenuId(ui::MenuAction action) {
    for (const ui::MenuItem& item : ui::MenuItems())
        if (item.action == action) return item.id;
    return 0;
}

}  // namespace

bool IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

DesktopHabits::DesktopHabits(MainWindow& window, Features& features)
    : QObject(&window), window_(window), features_(features), recentFiles_(window.Services().registry) {
    status_ = std::make_unique<StatusBar>(window_, window_.Logic());
    reconnect_ = new ReconnectAction(window_);
    status_->AddContextAction(reconnect_);
    connect(reconnect_, &ReconnectAction::reconnected, this, [this] { status_->Refresh(); });
    reconnect_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    reconnect_->setShortcutContext(Qt::WindowShortcut);
    if (QMenu* settings = window_.Menu(kSettingsMenuPosition)) {
        settings->addSeparator();
        settings->addAction(reconnect_);
    }
    watcher_ = new LinkWatcher(window_, *reconnect_);

    search_ = new ParameterSearchWindow(window_);
    find_ = new QAction(tr("Find Parameter..."), &window_);
    find_->setObjectName("findParameter");
    find_->setShortcut(QKeySequence::Find);
    find_->setShortcutContext(Qt::WindowShortcut);
    connect(find_, &QAction::triggered, this, [this] { search_->OpenForQuery(); });
    window_.addAction(find_);

    AddShortcuts();

    // File > Recent, right under "&Open".
    if (QMenu* file = window_.Menu(kRecentMenuPosition)) {
        recent_ = new QMenu(tr("Recent"), file);
        recent_->setObjectName("recentFiles");
        QAction* open = MenuAction(window_, ui::kMenuOpenSettingsFile);
        const QList<QAction*> actions = file->actions();
        const qsizetype at = actions.indexOf(open);
        QAction* before = at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr;
        file->insertMenu(before, recent_);
        connect(recent_, &QMenu::aboutToShow, this, &DesktopHabits::FillRecentMenu);
    }
    features_.Settings().SetFileUsed([this](const std::string& path) {
        recentFiles_.Add(path);
        FillRecentMenu();
    });
    FillRecentMenu();

    RestoreGeometry();
    window_.installEventFilter(this);
}

DesktopHabits::~DesktopHabits() {
    window_.removeEventFilter(this);
    features_.Settings().SetFileUsed(nullptr);
    delete search_;
    status_.reset();
}

void DesktopHabits::AddShortcuts() {
    // None of these is a key of the tool's own: the factory sequence starts with Shift+Ctrl+F12 and
    // goes on with plain letters, Enter and Escape belong to the pages, F12 stands for a key used up.
    const std::pair<uint32_t, QKeySequence> keys[] = {
        {MenuId(ui::MenuAction::OpenSettingsFile), QKeySequence(QKeySequence::Open)},
        {MenuId(ui::MenuAction::SaveAllData), QKeySequence(QKeySequence::Save)},
        {MenuId(ui::MenuAction::Reload), QKeySequence(Qt::Key_F5)},
    };
    for (const auto& [id, key] : keys)
        if (QAction* action = MenuAction(window_, id)) action->setShortcut(key);
}

void DesktopHabits::FillRecentMenu() {
    if (!recent_) return;
    recent_->clear();
    const QAction* open = MenuAction(window_, ui::kMenuOpenSettingsFile);
    // The list is only as usable as "&Open" itself (no settings feature, no list).
    const bool usable = open != nullptr && open->isEnabled();
    int n = 0;
    for (const std::string& path : recentFiles_.Paths()) {
        const QString p = QString::fromStdString(path);
        ++n;
        // "&&" keeps an ampersand in a file name from becoming a mnemonic.
        QAction* action = recent_->addAction(QString("&%1 %2").arg(n).arg(QFileInfo(p).fileName().replace('&', "&&")));
        action->setToolTip(p);
        action->setStatusTip(p);
        action->setData(p);
        action->setEnabled(usable);
        connect(action, &QAction::triggered, this, [this, p] { OpenRecent(p); });
    }
    recent_->setToolTipsVisible(true);
    recent_->setEnabled(!recentFiles_.Paths().empty());
}

void DesktopHabits::OpenRecent(const QString& path) {
    camera::Services& services = window_.Services();
    if (services.engine.Busy() || services.dialogs.Disabled()) return;
    const QFileInfo file(path);
    if (!file.exists() || !file.isFile()) {
        recentFiles_.Remove(path.toStdString());
        FillRecentMenu();
        services.platform.MessageBox(
            path.toStdString() + "\nThis file is no longer there; it has been taken off the Recent list.",
            platform::kAppTitle, platform::MsgIcon::Exclamation);
        return;
    }
    features_.Settings().LoadFile(path.toStdString());
}

bool DesktopHabits::RestoreGeometry() {
    std::string stored;
    if (window_.Services().registry.ReadNamedText(platform::kMainWindowGeometryName, stored) != 1 || stored.empty())
        return false;
    // restoreGeometry puts a window that would lie off every screen (a monitor gone) back on one.
    if (!window_.restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(stored)))) return false;
    window_.KeepRestoredSize();
    return true;
}

void DesktopHabits::SaveGeometry() {
    window_.Services().registry.WriteNamedText(platform::kMainWindowGeometryName,
                                               window_.saveGeometry().toBase64().toStdString());
}

bool DesktopHabits::eventFilter(QObject* watched, QEvent* event) {
    // Closing hides the window first; that is the moment its place is known for the last time.
    if (watched == &window_ && event->type() == QEvent::Hide && !event->spontaneous()) SaveGeometry();
    return QObject::eventFilter(watched, event);
}

}  // namespace vr::gui
