#pragma once
// The platform of one camera among many: no windows and no terminal to draw on. Message boxes are
// kept as lines for that camera's row of the report, questions are answered No, the progress goes
// to whoever watches the cameras, and a stop asked for all of them is taken between two commands.

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace vr::fleet {

class CameraPlatform final : public platform::IPlatform {
public:
    // `stop` is shared by every camera of a run; `progress` (may be empty) hears the text and percentage
    // of the long operation under way, on the camera's thread.
    CameraPlatform(const std::atomic<bool>& stop, std::function<void(const std::string&, int)> progress);

    platform::MsgResult MessageBox(const std::string& text, const std::string& caption, platform::MsgIcon icon,
                                   platform::MsgButtons buttons) override;
    std::string OpenFileDialog(const std::string&, const std::string&,
                               const std::vector<platform::FileFilter>&) override {
        return {};
    }
    std::string SaveFileDialog(const std::string&, const std::string&, const std::string&,
                               const std::vector<platform::FileFilter>&) override {
        return {};
    }
    void ProgressOpen(const std::string& title) override;
    void ProgressSetText(const std::string& text) override;
    void ProgressSetPos(int percent) override;
    void ProgressAllowCancel(bool allow) override { cancelOffered_ = allow; }
    void ProgressAllowWaitCancel(bool allow) override { waitCancelOffered_ = allow; }
    // True once the stop was asked for; it counts as taken only while the operation offers to stop.
    bool ProgressPoll() override;
    bool ShellOpen(const std::string&) override { return false; }

    // "CAPTION: TEXT" of every box, in order.
    const std::vector<std::string>& Messages() const { return messages_; }
    void ClearMessages() { messages_.clear(); }
    // Whether an operation stopped because of the stop.
    bool StopTaken() const { return stopTaken_; }

private:
    const std::atomic<bool>& stop_;
    std::function<void(const std::string&, int)> progress_;
    std::vector<std::string> messages_;
    std::string text_;
    bool cancelOffered_ = false;
    bool waitCancelOffered_ = false;
    bool stopTaken_ = false;
};

}  // namespace vr::fleet
