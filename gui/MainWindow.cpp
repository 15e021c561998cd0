#include "MainWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "CommunicationWindow.h"
#include "PageBuilder.h"
#include "ScreenFit.h"
#include "SerialDiagnosis.h"
#include "StatusStrip.h"
#include "TerminalWindow.h"
#include "WheelGuard.h"
#include "link/CommSetting.h"
#include "platform/Registry.h"
#include "protocol/Command.h"
#include "ui/ControlModel.h"
#include "ui/main/MenuTable.h"

namespace vr::gui {

namespace {

// The menu's own work; the other items belong to features and stand greyed until one registers them.
bool IsOwnMenuAction(ui::MenuAction action) {
    switch (action) {
        case ui::MenuAction::Exit:
        case ui::MenuAction::Reload:
        case ui::MenuAction::OpenCommunicationDialog:
        case ui::MenuAction::OpenTerminal:
            return true;
        default:
            return false;
    }
}

dialogs::LogFolderStore LogFolder(platform::CRegistry& registry) {
    return {[&registry] {
                std::string folder;
                registry.ReadString(platform::kRegCommandLogFilePath, folder);
                return folder;
            },
            [&registry](const std::string& folder) { registry.WriteString(platform::kRegCommandLogFilePath, folder); }};
}

}  // namespace

int VirtualKey(const QKeyEvent* key) {
    const int k = key->key();
    switch (k) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return ui::kVkReturn;
        case Qt::Key_Escape:
            return ui::kVkEscape;
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_Meta:
        case Qt::Key_AltGr:
        case Qt::Key_CapsLock:
            return 0;
        default:
            break;
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 0x70 + (k - Qt::Key_F1);
    // Letters and digits carry the same codes in both worlds ('A' is 0x41).
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) return k;
    // Any other key only needs to be none of the above: it ends the factory key sequence.
    return 0xFF;
}

MainWindow::MainWindow(camera::CameraSession& session)
    : QMainWindow(nullptr),
      services_(session.Services()),
      logic_(std::make_unique<ui::CCtrlToolDlg>(session, binding_, *this)) {
    setObjectName("105");
    setWindowIcon(QIcon(":/icons/256.png"));
    auto* central = new QWidget(this);
    tabs_ = new QTabWidget(central);
    tabs_->setDocumentMode(false);
    strip_ = new StatusStrip(central);
    banner_ = new QFrame(central);
    banner_->setObjectName("offlineBanner");
    banner_->setStyleSheet(
        "QFrame#offlineBanner { background: #fff3c4; border: 1px solid #d9b44a; } "
        "QFrame#offlineBanner QLabel { color: #5a4300; }");
    bannerText_ = new QLabel(banner_);
    bannerText_->setObjectName("offlineBannerText");
    bannerText_->setWordWrap(true);
    bannerReconnect_ = new QPushButton(tr("Reconnect"), banner_);
    bannerReconnect_->setObjectName("bannerReconnect");
    bannerReconnect_->setAutoDefault(false);
    bannerReconnect_->setToolTip(tr("Open the port again and look for the camera"));
    connect(bannerReconnect_, &QPushButton::clicked, this, &MainWindow::reconnectRequested);
    auto* bannerLayout = new QHBoxLayout(banner_);
    bannerLayout->setContentsMargins(6, 4, 6, 4);
    bannerLayout->addWidget(bannerText_, 1);
    bannerLayout->addWidget(bannerReconnect_, 0, Qt::AlignVCenter);
    banner_->hide();
    // The wheel changes a value control only while it has the focus; it scrolls the page otherwise.
    new WheelGuard(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->addWidget(banner_);
    layout->addWidget(tabs_, 1);
    layout->addWidget(strip_);
    setCentralWidget(central);
    binding_.Bind(kTabControlId, tabs_);
    binding_.Bind(ui::kMainStatusStrip, strip_);
    BuildMenu();
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (!showingTabs_ && index >= 0) logic_->OnTabSelected(index);
    });
    // Keys reach the logic before the focused control sees them, on every page.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // The windows' logic unregisters from the services before the widgets go.
    delete communication_;
    delete terminal_;
    logic_.reset();
}

QMenu* MainWindow::Menu(int position) const {
    return position >= 0 && position < static_cast<int>(menus_.size()) ? menus_[position] : nullptr;
}

QWidget* MainWindow::Page(int pageIndex) const {
    return pageIndex >= 0 && pageIndex < static_cast<int>(pages_.size()) ? pages_[pageIndex] : nullptr;
}

void MainWindow::BuildMenu() {
    for (const char* caption : ui::MenuCaptions()) menus_.push_back(menuBar()->addMenu(QString::fromUtf8(caption)));
    std::map<std::pair<int, std::string>, QMenu*> submenus;
    for (const ui::MenuItem& item : ui::MenuItems()) {
        QMenu* menu = menus_.at(static_cast<size_t>(item.menuPosition));
        if (item.submenu[0] != '\0') {
            QMenu*& sub = submenus[{item.menuPosition, item.submenu}];
            if (sub == nullptr) sub = menu->addMenu(QString::fromUtf8(item.submenu));
            menu = sub;
        }
        if (item.action == ui::MenuAction::Exit) menu->addSeparator();
        QAction* action = menu->addAction(QString::fromUtf8(item.caption));
        action->setData(item.id);
        action->setObjectName(QString::number(item.id));
        if (item.action == ui::MenuAction::Exit) action->setShortcut(QKeySequence::Quit);
        const uint32_t id = item.id;
        connect(action, &QAction::triggered, this, [this, id] {
            if (!services_.engine.Busy()) logic_->OnMenuCommand(id);
        });
        menuActions_.push_back(action);
    }
    AddSerialDiagnosis(menus_.back(), this);
    RefreshMenuAvailability();
}

void MainWindow::RefreshMenuAvailability() {
    for (QAction* action : menuActions_) {
        const uint32_t id = action->data().toUInt();
        const ui::MenuItem* item = ui::FindMenuItem(id);
        const bool built = item != nullptr && (IsOwnMenuAction(item->action) || logic_->Router().HasMenuCommand(id));
        action->setEnabled(built && (!item->factoryOnly || factoryMenuItems_));
    }
}

void MainWindow::SetSettingsFileHooks(std::function<void()> save, std::function<void()> load) {
    saveSettingsFile_ = std::move(save);
    loadSettingsFile_ = std::move(load);
}

void MainWindow::BuildPages() {
    PageEvents events;
    events.editLostFocus = [this](uint32_t id) { Event(id, {ui::ControlEventType::EditKillFocus}); };
    events.comboChanged = [this](uint32_t id) { Event(id, {ui::ControlEventType::SelChange}); };
    events.buttonClicked = [this](uint32_t id) { Event(id, {ui::ControlEventType::Clicked}); };
    events.spinDelta = [this](uint32_t id, int delta) { Event(id, {ui::ControlEventType::SpinDelta, delta}); };
    // Room for the largest page where the screen has it; a smaller screen scrolls the pages.
    const QSize chrome(
        40, menuBar()->sizeHint().height() + tabs_->tabBar()->sizeHint().height() + strip_->sizeHint().height() + 40);
    const QRect screen = this->screen()->availableGeometry();
    // Window frame and panels take some of the screen too.
    const int pageHeight = screen.height() - chrome.height() - 60;
    for (const ui::PageLayout& layout : ui::PageLayouts())
        pages_.push_back(BuildPage(layout, binding_, events, pageHeight, tabs_));
    QSize content;
    for (QWidget* page : pages_) {
        page->hide();
        if (auto* scroll = qobject_cast<QScrollArea*>(page)) content = content.expandedTo(scroll->widget()->sizeHint());
    }
    if (!keepRestoredSize_) resize(content.width() + chrome.width(), content.height() + chrome.height());
    // Frame and title bar included, on the screen's free area.
    FitIntoScreen(*this);
}

void MainWindow::Event(uint32_t id, ui::ControlEvent event) {
    logic_->OnControlEvent(id, event);
}

void MainWindow::SetTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

void MainWindow::CreateWindows() {
    engineTimer_ = new QTimer(this);
    engineTimer_->setInterval(protocol::Command::kTimerPeriodMs);
    // Takes at most one line the camera sent on its own; the engine itself never lets it run while a
    // command waits for its reply.
    connect(engineTimer_, &QTimer::timeout, this, [this] {
        if (!services_.engine.Busy()) services_.engine.OnTimer();
    });
    engineTimer_->start();

    terminal_ = new TerminalWindow(services_, LogFolder(services_.registry), this);
    dialogs::CommunicationHooks hooks;
    hooks.modelProbe = [this] { return logic_->ModelProbe(); };
    hooks.readAllSettings = [this] { logic_->ReadAllSettings(); };
    hooks.controlMode = [this] { return logic_->ControlMode(); };
    hooks.saveSettingsFile = saveSettingsFile_;
    hooks.loadSettingsFile = loadSettingsFile_;
    communication_ = new CommunicationWindow(services_, std::move(hooks), LogFolder(services_.registry),
                                             services_.registry.WasShutdownClean() == 1, this);
    connect(communication_, &CommunicationWindow::reconnectRequested, this, &MainWindow::reconnectRequested);
    communication_->Logic().Show();
    BuildPages();
}

void MainWindow::DestroyWindows() {
    if (engineTimer_ != nullptr) engineTimer_->stop();
    delete terminal_;
}

void MainWindow::ShowTabs(const std::vector<ui::TabItem>& tabs) {
    showingTabs_ = true;
    while (tabs_->count() > 0) tabs_->removeTab(0);
    for (const ui::TabItem& tab : tabs)
        if (QWidget* page = Page(tab.pageIndex)) tabs_->addTab(page, QString::fromStdString(tab.title));
    showingTabs_ = false;
}

void MainWindow::ShowPage(int pageIndex) {
    QWidget* page = Page(pageIndex);
    if (page == nullptr) return;
    const int tab = tabs_->indexOf(page);
    showingTabs_ = true;
    if (tab >= 0) tabs_->setCurrentIndex(tab);
    showingTabs_ = false;
}

void MainWindow::EnableFactoryMenuItems(bool enable) {
    factoryMenuItems_ = enable;
    RefreshMenuAvailability();
}

void MainWindow::AdaptCommunicationDialog(uint32_t) {
    if (communication_) communication_->Logic().RefreshStoreButton();
}

void MainWindow::ShowCurrentArea(uint32_t area) {
    if (communication_) communication_->Logic().ShowArea(static_cast<int32_t>(area));
}

void MainWindow::ShowStatusText(const std::string& text) {
    // Long enough to be read after a box closed; the next text replaces it.
    constexpr int kShownMs = 10000;
    lastNotice_.clear();
    statusBar()->showMessage(QString::fromStdString(text), kShownMs);
}

void MainWindow::ShowOfflineBanner(const std::string& text) {
    bannerText_->setText(QString::fromStdString(text));
    banner_->setVisible(!text.empty());
}

void MainWindow::ShowWaitNotice() {
    const std::string text = logic_->Notice().Text();
    if (text.empty() || text == lastNotice_) return;
    lastNotice_ = text;
    // Gone shortly after the wait, unless something else was said meanwhile.
    constexpr int kShownMs = 1500;
    statusBar()->showMessage(QString::fromStdString(text), kShownMs);
}

void MainWindow::ShowCommunicationRate(int baudIndex) {
    if (communication_) communication_->Logic().SelectBaud(baudIndex);
}

void MainWindow::Activate() {
    raise();
    activateWindow();
}

void MainWindow::EnableWindow(bool enable) {
    setEnabled(enable);
}

void MainWindow::Close() {
    if (!inCloseEvent_) close();
}

bool MainWindow::ShowSecondary(ui::SecondaryWindow window, bool show) {
    switch (window) {
        case ui::SecondaryWindow::Communication:
            if (!communication_) return false;
            if (show)
                communication_->Logic().Show();
            else
                communication_->Logic().OnClose();
            return true;
        case ui::SecondaryWindow::Terminal:
            if (!terminal_) return false;
            if (show)
                terminal_->Logic().Show();
            else
                terminal_->Logic().OnClose();
            return true;
        case ui::SecondaryWindow::LutEditors:
            break;
    }
    const auto feature = featureWindows_.find(window);
    if (feature == featureWindows_.end()) return false;
    feature->second(show);
    return true;
}

void MainWindow::SetSecondaryWindow(ui::SecondaryWindow window, std::function<void(bool show)> showOrHide) {
    if (showOrHide)
        featureWindows_[window] = std::move(showOrHide);
    else
        featureWindows_.erase(window);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The window system has placed the window and drawn its frame by now: fit it again with the real one.
    QTimer::singleShot(0, this, [this] { FitIntoScreen(*this); });
    if (!startOnShow_) return;
    startOnShow_ = false;
    // After the first paint, so the operator sees the window while the camera is looked for.
    QTimer::singleShot(0, this, [this] {
        logic_->OnInitDialog();
        emit startupFinished();
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (logic_->Closed()) {
        event->accept();
        return;
    }
    // A close while a command waits, or from a box inside one, would pull the windows away from it.
    if (services_.engine.Busy()) {
        event->ignore();
        return;
    }
    inCloseEvent_ = true;
    logic_->OnClose();
    inCloseEvent_ = false;
    if (logic_->Closed())
        event->accept();
    else
        event->ignore();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    // Only keys meant for this window and its pages, and each key once (it travels up the parents).
    if (widget == nullptr || widget->window() != this || widget != QApplication::focusWidget())
        return QMainWindow::eventFilter(watched, event);
    if (HandleKey(static_cast<QKeyEvent*>(event))) return true;
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::HandleKey(QKeyEvent* key) {
    const int vk = VirtualKey(key);
    if (vk == 0 || services_.engine.Busy()) return false;
    QWidget* focus = QApplication::focusWidget();
    const uint32_t focusedId = focus != nullptr ? binding_.IdOf(focus) : 0;
    bool droppedDown = false;
    if (auto* combo = qobject_cast<QComboBox*>(focus)) droppedDown = combo->view()->isVisible();
    const bool shift = key->modifiers().testFlag(Qt::ShiftModifier);
    const bool ctrl = key->modifiers().testFlag(Qt::ControlModifier);
    const ui::KeyTranslation t = logic_->OnKey(vk, shift, ctrl, focusedId, droppedDown);
    if (t.vk == ui::kVkF12) return true;  // used up: nothing else happens
    if (t.vk == ui::kVkEscape) {
        logic_->OnClose();
        return true;
    }
    // An Enter that reaches the window itself has no command behind it.
    if (t.vk == ui::kVkReturn) return !droppedDown;
    return false;
}

}  // namespace vr::gui
