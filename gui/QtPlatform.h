#pragma once
// The platform services of the desktop tool: Qt message boxes and file dialogs, the busy cursor, the
// progress window, and the pump that lets windows paint while a command waits for its reply.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "ProgressWindow.h"
#include "platform/Platform.h"

namespace vr::gui {

class QtPlatform : public platform::IPlatform {
public:
    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // The window that owns message boxes and the progress window; the active window when unset.
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }
    // Runs each time the windows are let paint during a command, to say what the tool waits for.
    void SetPumpHook(std::function<void()> hook) { pumpHook_ = std::move(hook); }
    // How long the progress window stays at 100 % before it closes.
    void SetProgressFinishPauseMs(int ms) { finishPauseMs_ = ms; }

    platform::MsgResult MessageBox(const std::string& text, const std::string& caption, platform::MsgIcon icon,
                                   platform::MsgButtons buttons) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    // Painting, timers and other non-input events run; mouse and keys wait until the command is done.
    void PumpMessages() override;
    std::string OpenFileDialog(const std::string& title, const std::string& folder,
                               const std::vector<platform::FileFilter>& filters) override;
    std::string SaveFileDialog(const std::string& title, const std::string& folder, const std::string& suggestedName,
                               const std::vector<platform::FileFilter>& filters) override;
    void ProgressOpen(const std::string& text) override;
    void ProgressSetText(const std::string& text) override;
    void ProgressSetPos(int percent) override;
    void ProgressFinish() override;
    void ProgressAllowCancel(bool allow) override;
    void ProgressAllowWaitCancel(bool allow) override;
    void ProgressSetBusy(bool busy) override;
    bool ProgressShown() const override { return !progress_.isNull(); }
    bool ProgressPoll() override;
    bool ShellOpen(const std::string& path) override;

    ProgressWindow* Progress() const { return progress_; }

private:
    QWidget* Owner() const;

    QPointer<QWidget> mainWindow_;
    QPointer<ProgressWindow> progress_;
    QPointer<QWidget> progressParent_;
    int waitCursorDepth_ = 0;
    int finishPauseMs_ = 1000;
    std::function<void()> pumpHook_;
};

// Qt's filter string for one filter: "txt file (*.txt)".
QString FilterText(const platform::FileFilter& filter);

}  // namespace vr::gui
