#pragma once
// The small set of services the tool's logic asks of its surroundings: message boxes, the busy
// cursor, letting pending window messages run, file dialogs, the progress window and shell open.
// The Qt desktop tool, the command-line tool and the tests each build their own implementation and
// hand it to whatever needs it.

#include <string>
#include <vector>

namespace vr::platform {

enum class MsgIcon { None, Information, Exclamation, Question, Error };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

struct FileFilter {
    std::string description;  // "Camera settings file (*.cam)"
    std::string pattern;      // "*.cam"
};

class IPlatform {
public:
    virtual ~IPlatform() = default;

    // A modal box; returns the button the operator chose.
    virtual MsgResult MessageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                                 MsgButtons buttons = MsgButtons::Ok) = 0;

    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}

    // Let pending window messages run: painting and timers, but no operator input.
    virtual void PumpMessages() {}

    // Empty text when the operator cancels.
    virtual std::string OpenFileDialog(const std::string& title, const std::string& folder,
                                       const std::vector<FileFilter>& filters) = 0;
    virtual std::string SaveFileDialog(const std::string& title, const std::string& folder,
                                       const std::string& suggestedName, const std::vector<FileFilter>& filters) = 0;

    virtual void ProgressOpen(const std::string& title) { (void)title; }
    virtual void ProgressSetText(const std::string& text) { (void)text; }
    virtual void ProgressSetPos(int percent) { (void)percent; }
    virtual void ProgressFinish() {}

    // Whether the progress window offers a way to stop (a Cancel button, Ctrl-C at a terminal): the
    // operation's own offer, between its commands.
    virtual void ProgressAllowCancel(bool allow) { (void)allow; }
    // The offer of a long wait for the camera's reply (see ui::WaitCancel), made and taken away
    // apart from the operation's: Cancel shows while either offers it.
    virtual void ProgressAllowWaitCancel(bool allow) { (void)allow; }
    // A wait of unknown length: the bar runs as a busy indicator instead of showing a part done.
    virtual void ProgressSetBusy(bool busy) { (void)busy; }
    // Whether the progress window is open.
    virtual bool ProgressShown() const { return false; }
    // Lets the progress window and the other windows paint and take the operator's Cancel (every
    // other window is greyed meanwhile); true once the operator asked to stop.
    virtual bool ProgressPoll() { return false; }

    // Opens a document with the desktop's default program; false when that could not be started.
    virtual bool ShellOpen(const std::string& path) = 0;
};

// The application's title, used as caption by the table lookups' messages.
inline constexpr const char* kAppTitle = "VR-8200 Control Tool";

}  // namespace vr::platform
