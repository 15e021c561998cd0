#pragma once
// The main window of the desktop tool: the window of the main dialog's logic, which it owns and
// serves as its view. It builds the menu and the tab pages from their tables, owns the communication
// dialog, the terminal and the engine's 25 ms timer, and turns keys, clicks and focus changes into
// the logic's events.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

#include "CommunicationWindow.h"
#include "TerminalWindow.h"
#include "WidgetBinding.h"
#include "ui/main/CtrlToolDlg.h"

class QTabWidget;
class QTimer;
class QMenu;
class QLabel;
class QPushButton;

namespace vr::gui {

class StatusStrip;

class MainWindow : public QMainWindow, public ui::IMainWindowView {
    Q_OBJECT
public:
    static constexpr uint32_t kTabControlId = 1089;

    // The window of the program's camera session.
    explicit MainWindow(camera::CameraSession& session);
    ~MainWindow() override;

    ui::CCtrlToolDlg& Logic() { return *logic_; }
    camera::Services& Services() { return services_; }
    WidgetBinding& Binding() { return binding_; }
    QTabWidget* Tabs() const { return tabs_; }
    CommunicationWindow* Communication() const { return communication_; }
    TerminalWindow* Terminal() const { return terminal_; }
    StatusStrip* Strip() const { return strip_; }
    QMenu* Menu(int position) const;
    // The page widget of page index 0..5.
    QWidget* Page(int pageIndex) const;

    // Runs the start-up sequence once the window is on screen.
    void StartWhenShown() { startOnShow_ = true; }
    // The window's size was restored from the last run: building the pages keeps it.
    void KeepRestoredSize() { keepRestoredSize_ = true; }

signals:
    // The start-up sequence has ended (connected and read, or offline).
    void startupFinished();
    // The communication dialog's "Reconnect" was pressed.
    void reconnectRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // ui::IMainWindowView
    void SetTitle(const std::string& title) override;
    void CreateWindows() override;
    void DestroyWindows() override;
    void ShowTabs(const std::vector<ui::TabItem>& tabs) override;
    void ShowPage(int pageIndex) override;
    void EnableFactoryMenuItems(bool enable) override;
    void EnableWindow(bool enable) override;
    void Activate() override;
    void Close() override;
    bool ShowSecondary(ui::SecondaryWindow window, bool show) override;
    void ShowCommunicationRate(int baudIndex) override;
    void AdaptCommunicationDialog(uint32_t controlMode) override;
    void ShowCurrentArea(uint32_t area) override;
    void ShowStatusText(const std::string& text) override;
    void ShowOfflineBanner(const std::string& text) override;

    // While a command waits: says in the status bar what for, once the wait is no longer short.
    void ShowWaitNotice();
    // The banner above the tabs while offline: its text and its Reconnect button.
    QWidget* OfflineBanner() const { return banner_; }
    QLabel* OfflineBannerText() const { return bannerText_; }
    QPushButton* BannerReconnect() const { return bannerReconnect_; }

    // Greys the menu items that no feature has registered yet.
    void RefreshMenuAvailability();
    // The communication dialog's settings-file buttons; given before the window starts, they stay
    // greyed without.
    void SetSettingsFileHooks(std::function<void()> save, std::function<void()> load);

    // A secondary window a feature brings along (the LUT editors): how the logic's show and hide
    // reach it. An empty function takes it away again.
    void SetSecondaryWindow(ui::SecondaryWindow window, std::function<void(bool show)> showOrHide);

private:
    void BuildMenu();
    void BuildPages();
    void Event(uint32_t id, ui::ControlEvent event);
    bool HandleKey(QKeyEvent* key);

    camera::Services& services_;
    WidgetBinding binding_;
    std::unique_ptr<ui::CCtrlToolDlg> logic_;
    QTabWidget* tabs_ = nullptr;
    StatusStrip* strip_ = nullptr;
    QWidget* banner_ = nullptr;
    QLabel* bannerText_ = nullptr;
    QPushButton* bannerReconnect_ = nullptr;
    std::string lastNotice_;
    QTimer* engineTimer_ = nullptr;
    std::vector<QWidget*> pages_;
    std::vector<QMenu*> menus_;
    std::vector<QAction*> menuActions_;
    bool factoryMenuItems_ = false;  // the factory functions of the menu are enabled
    QPointer<CommunicationWindow> communication_;
    QPointer<TerminalWindow> terminal_;
    std::function<void()> saveSettingsFile_;
    std::function<void()> loadSettingsFile_;
    std::map<ui::SecondaryWindow, std::function<void(bool)>> featureWindows_;
    bool startOnShow_ = false;
    bool inCloseEvent_ = false;
    bool showingTabs_ = false;
    bool keepRestoredSize_ = false;
};

// The window's key as the logic knows keys (Windows virtual-key codes); 0 for a modifier alone.
int VirtualKey(const QKeyEvent* key);

}  // namespace vr::gui
