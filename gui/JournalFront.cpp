#include "JournalFront.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include "CameraListAction.h"
#include "HistoryWindow.h"
#include "MainWindow.h"
#include "journal/Journal.h"
#include "journal/Recorder.h"

namespace vr::gui {
namespace {

constexpr int kRefreshMs = 1000;

// The menu whose caption names the files, else a menu of its own at the end.
QMenu* FileMenu(MainWindow& window) {
    for (QAction* action : window.menuBar()->actions())
        if (action->menu() != nullptr && action->text().remove('&').startsWith("File")) return action->menu();
    return window.menuBar()->addMenu("&Journal");
}

}  // namespace

JournalFront::JournalFront(MainWindow& window, const std::string& path) : window_(window) {
    if (!path.empty()) {
        // The journal's problem is read by the status bar's timer: the journal tells it on its own thread.
        journal_ = std::make_unique<journal::Journal>(path);
        recorder_ = std::make_unique<journal::Recorder>(window.Logic().Session(), *journal_,
                                                        journal::ThisOrigin("vr8200-control"));
    }
    // The Cameras window's runs on many cameras are recorded in the same journal.
    if (auto* cameraList = window.findChild<CameraListAction*>()) cameraList->SetJournal(journal_.get());
    state_ = new QLabel(&window);
    state_->setObjectName("journal");
    window.statusBar()->addPermanentWidget(state_);
    QMenu* menu = FileMenu(window);
    // Right above "E&xit", the menu's last item, beside "Open Camera List...".
    const QList<QAction*> actions = menu->actions();
    auto* history = new QAction("&History…", menu);
    menu->insertAction(actions.isEmpty() ? nullptr : actions.back(), history);
    history->setObjectName("history");
    history->setShortcut(QKeySequence("Ctrl+H"));
    history->setEnabled(journal_ != nullptr);
    connect(history, &QAction::triggered, this, [this] { ShowHistory(); });
    timer_ = new QTimer(this);
    timer_->setInterval(kRefreshMs);
    connect(timer_, &QTimer::timeout, this, &JournalFront::Refresh);
    timer_->start();
    Refresh();
}

JournalFront::~JournalFront() {
    // The session hears nothing more; the journal writes what it holds before it goes.
    recorder_.reset();
    journal_.reset();
}

QString JournalFront::StateText() const {
    if (!journal_) return "Journal off";
    const std::string problem = journal_->Problem();
    return problem.empty() ? QString() : "Journal failing";
}

void JournalFront::Refresh() {
    // The link may change between connections (the communication dialog).
    if (recorder_) recorder_->SetLink(journal::LinkName(window_.Logic().Session()));
    const QString text = StateText();
    state_->setText(text);
    state_->setToolTip(
        journal_ ? QString::fromStdString(journal_->Problem().empty() ? journal_->Path() : journal_->Problem())
                 : QString("This run keeps no journal of its changes."));
    state_->setVisible(!text.isEmpty());
}

HistoryWindow* JournalFront::ShowHistory() {
    if (!journal_) return nullptr;
    if (history_.isNull()) {
        history_ = new HistoryWindow(
            *journal_, window_.Logic().Session(), [this] { window_.Logic().ReadAllSettings(); }, &window_);
        history_->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        history_->Reload();
    }
    history_->show();
    history_->raise();
    history_->activateWindow();
    return history_;
}

}  // namespace vr::gui
