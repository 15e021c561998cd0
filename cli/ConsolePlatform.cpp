#include "ConsolePlatform.h"

#include <unistd.h>

#include <cstdio>

#include "Interrupt.h"
#include "protocol/Command.h"

namespace vr::cli {

ConsolePlatform::ConsolePlatform(bool answerYes)
    : answerYes_(answerYes), progressOnTerminal_(isatty(STDERR_FILENO) == 1) {}

platform::MsgResult ConsolePlatform::MessageBox(const std::string& text, const std::string& caption, platform::MsgIcon,
                                                platform::MsgButtons buttons) {
    ++messageCount_;
    if (muted_)
        return buttons == platform::MsgButtons::YesNo || buttons == platform::MsgButtons::YesNoCancel
                   ? platform::MsgResult::No
                   : platform::MsgResult::Ok;
    if (progressOpen_ && progressOnTerminal_) std::fputs("\r\033[K", stderr);
    // A box's text may span lines ("Failed to initialize ... port!\n<reason>"): keep it one record.
    // What it quotes from a file or the camera is shown printable, so no byte of it acts on the
    // terminal.
    std::string flat = text;
    for (char& c : flat)
        if (c == '\n') c = ' ';
    std::fprintf(stderr, "%s: %s\n", protocol::Command::Printable(caption).c_str(),
                 protocol::Command::Printable(flat).c_str());
    switch (buttons) {
        case platform::MsgButtons::Ok:
            return platform::MsgResult::Ok;
        case platform::MsgButtons::OkCancel:
            return answerYes_ ? platform::MsgResult::Ok : platform::MsgResult::Cancel;
        case platform::MsgButtons::YesNo:
        case platform::MsgButtons::YesNoCancel:
            return answerYes_ ? platform::MsgResult::Yes : platform::MsgResult::No;
    }
    return platform::MsgResult::No;
}

std::string ConsolePlatform::OpenFileDialog(const std::string&, const std::string&,
                                            const std::vector<platform::FileFilter>&) {
    return {};
}

std::string ConsolePlatform::SaveFileDialog(const std::string&, const std::string&, const std::string&,
                                            const std::vector<platform::FileFilter>&) {
    return {};
}

void ConsolePlatform::PumpMessages() {
    if (pumpHook_) pumpHook_();
}

void ConsolePlatform::ProgressOpen(const std::string& title) {
    progressOpen_ = true;
    progressText_ = title;
    progressPercent_ = 0;
    progressBusy_ = false;
    DrawProgress();
}

void ConsolePlatform::ProgressSetText(const std::string& text) {
    progressText_ = text;
    DrawProgress();
}

void ConsolePlatform::ProgressSetPos(int percent) {
    progressPercent_ = percent;
    DrawProgress();
}

void ConsolePlatform::ProgressSetBusy(bool busy) {
    progressBusy_ = busy;
    DrawProgress();
}

void ConsolePlatform::ProgressFinish() {
    if (progressOpen_ && progressOnTerminal_) std::fputs("\r\033[K", stderr);
    progressOpen_ = false;
}

void ConsolePlatform::DrawProgress() {
    if (progressOpen_ && progressSink_) progressSink_(progressText_, progressBusy_ ? -1 : progressPercent_);
    if (!progressOpen_ || !progressOnTerminal_) return;
    if (progressBusy_)
        std::fprintf(stderr, "\r\033[K%s", progressText_.c_str());
    else
        std::fprintf(stderr, "\r\033[K%s %3d%%", progressText_.c_str(), progressPercent_);
    std::fflush(stderr);
}

bool ConsolePlatform::ProgressPoll() {
    if (!StopRequested()) return false;
    if (cancelOffered_ || waitCancelOffered_) StopHonoured();
    return true;
}

bool ConsolePlatform::ShellOpen(const std::string&) {
    return false;
}

}  // namespace vr::cli
