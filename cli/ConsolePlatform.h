#pragma once
// The platform of the command-line tool: message boxes become "CAPTION: TEXT" lines on stderr,
// questions take the default answer (No) unless --yes was given, progress is drawn on stderr only
// when stderr is a terminal, and there are no file dialogs (file names come from arguments).

#include <functional>
#include <string>

#include "platform/Platform.h"

namespace vr::cli {

class ConsolePlatform final : public platform::IPlatform {
public:
    explicit ConsolePlatform(bool answerYes);

    platform::MsgResult MessageBox(const std::string& text, const std::string& caption, platform::MsgIcon icon,
                                   platform::MsgButtons buttons) override;
    std::string OpenFileDialog(const std::string& title, const std::string& folder,
                               const std::vector<platform::FileFilter>& filters) override;
    std::string SaveFileDialog(const std::string& title, const std::string& folder, const std::string& suggestedName,
                               const std::vector<platform::FileFilter>& filters) override;
    // Runs the hook while a command waits for its reply, so that a progress line whose text changes
    // meanwhile (the elapsed time of a one-push function) keeps up; none by default.
    void SetPumpHook(std::function<void()> hook) { pumpHook_ = std::move(hook); }
    void PumpMessages() override;
    // Told every change of the progress window (its text, and the percentage or -1 while it shows
    // no percentage) instead of drawing it on the terminal, for the rest of the run; none by default.
    void SetProgressSink(std::function<void(const std::string& text, int percent)> sink) {
        progressSink_ = std::move(sink);
        progressOnTerminal_ = false;
    }
    // The answer to questions from now on (--yes).
    void AnswerYes(bool yes) { answerYes_ = yes; }
    void ProgressOpen(const std::string& title) override;
    void ProgressSetText(const std::string& text) override;
    void ProgressSetPos(int percent) override;
    void ProgressFinish() override;
    // A wait of unknown length draws its text without a percentage.
    void ProgressSetBusy(bool busy) override;
    bool ProgressShown() const override { return progressOpen_; }
    // Ctrl-C is the command line's Cancel, between commands and during a long wait alike.
    void ProgressAllowCancel(bool allow) override { cancelOffered_ = allow; }
    void ProgressAllowWaitCancel(bool allow) override { waitCancelOffered_ = allow; }
    // True once a stop signal came; it counts as honoured (the run ends as stopped) only while the
    // operation or a long wait offers to stop.
    bool ProgressPoll() override;
    bool ShellOpen(const std::string& path) override;

    // How many message boxes were shown: a command that showed one has failed somewhere.
    int MessageCount() const { return messageCount_; }
    // While muted, boxes are counted but not printed: the caller tells the failure its own way.
    void Mute(bool mute) { muted_ = mute; }

private:
    void DrawProgress();

    std::function<void()> pumpHook_;
    std::function<void(const std::string&, int)> progressSink_;
    bool answerYes_;
    bool cancelOffered_ = false;
    bool waitCancelOffered_ = false;
    bool progressOnTerminal_;
    bool progressOpen_ = false;
    std::string progressText_;
    int progressPercent_ = 0;
    bool progressBusy_ = false;
    int messageCount_ = 0;
    bool muted_ = false;
};

}  // namespace vr::cli
