#include "fleet/CameraPlatform.h"

namespace vr::fleet {

CameraPlatform::CameraPlatform(const std::atomic<bool>& stop, std::function<void(const std::string&, int)> progress)
    : stop_(stop), progress_(std::move(progress)) {}

platform::MsgResult CameraPlatform::MessageBox(const std::string& text, const std::string& caption, platform::MsgIcon,
                                               platform::MsgButtons buttons) {
    messages_.push_back(caption.empty() ? text : caption + ": " + text);
    // Nobody is there to answer: a question is answered No, so nothing is overwritten unasked.
    if (buttons == platform::MsgButtons::YesNo || buttons == platform::MsgButtons::YesNoCancel)
        return platform::MsgResult::No;
    if (buttons == platform::MsgButtons::OkCancel) return platform::MsgResult::Cancel;
    return platform::MsgResult::Ok;
}

void CameraPlatform::ProgressOpen(const std::string& title) {
    text_ = title;
    if (progress_) progress_(text_, 0);
}

void CameraPlatform::ProgressSetText(const std::string& text) {
    text_ = text;
    if (progress_) progress_(text_, -1);
}

void CameraPlatform::ProgressSetPos(int percent) {
    if (progress_) progress_(text_, percent);
}

bool CameraPlatform::ProgressPoll() {
    if (!stop_.load()) return false;
    if (cancelOffered_ || waitCancelOffered_) stopTaken_ = true;
    return true;
}

}  // namespace vr::fleet
