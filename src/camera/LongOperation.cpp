#include "camera/LongOperation.h"

#include "camera/Services.h"
#include "platform/Platform.h"
#include "protocol/OnlineStatus.h"

namespace vr::camera {

LongOperation::LongOperation(platform::IPlatform& platform, protocol::DialogRegistry& dialogs, const std::string& text)
    : LongOperation(platform, dialogs, text, Options{}) {}

LongOperation::LongOperation(platform::IPlatform& platform, protocol::DialogRegistry& dialogs, const std::string& text,
                             Options options)
    : platform_(platform), dialogs_(dialogs), options_(options), text_(text), shownText_(text) {
    if (options_.greyDialogs) dialogs_.DisableAll();
    platform_.ProgressOpen(text);
    AllowCancel(options_.cancellable);
    lastPaint_ = Clock::now();
}

LongOperation::LongOperation(camera::Services& services, const std::string& text)
    : LongOperation(services, text, Options{}) {}

LongOperation::LongOperation(camera::Services& services, const std::string& text, Options options)
    : LongOperation(services.platform, services.dialogs, text, options) {
    sink_ = services.progress;
    if (sink_ != nullptr) sink_->OnProgress(text_, 0, false);
}

LongOperation::~LongOperation() {
    Finish();
}

void LongOperation::SetText(const std::string& text) {
    text_ = text;
}

void LongOperation::SetPercent(int percent) {
    percent_ = percent;
}

void LongOperation::SetBusy(bool busy) {
    platform_.ProgressSetBusy(busy);
}

void LongOperation::SetStep(const std::string& text, int done, int total) {
    text_ = text + "  (" + std::to_string(done) + " / " + std::to_string(total) + ")";
    percent_ = total > 0 ? static_cast<int>(static_cast<long long>(done) * 100 / total) : 0;
}

void LongOperation::AllowCancel(bool allow) {
    const bool offer = allow && options_.cancellable;
    if (offer == cancelOffered_) return;
    cancelOffered_ = offer;
    platform_.ProgressAllowCancel(offer);
}

void LongOperation::Flush() {
    const bool changed = text_ != shownText_ || percent_ != shownPercent_;
    if (text_ != shownText_) {
        platform_.ProgressSetText(text_);
        shownText_ = text_;
    }
    if (percent_ != shownPercent_) {
        platform_.ProgressSetPos(percent_);
        shownPercent_ = percent_;
    }
    if (changed && sink_ != nullptr) sink_->OnProgress(shownText_, shownPercent_, false);
}

bool LongOperation::Continue() {
    if (stopped_ || finished_) return !stopped_;
    const Clock::time_point now = Clock::now();
    if (now - lastPaint_ < kPaintInterval) return true;
    lastPaint_ = now;
    Flush();
    if (platform_.ProgressPoll() && cancelOffered_) stopped_ = true;
    return !stopped_;
}

void LongOperation::Finish() {
    if (finished_) return;
    finished_ = true;
    Flush();
    AllowCancel(false);
    platform_.ProgressFinish();
    if (options_.greyDialogs) dialogs_.EnableAll();
    if (sink_ != nullptr) sink_->OnProgress(shownText_, shownPercent_, true);
}

std::string LongOperation::StoppedText(int done, int total, const std::string& items) {
    return "Stopped after " + std::to_string(done) + " of " + std::to_string(total) + " " + items + ".";
}

}  // namespace vr::camera
