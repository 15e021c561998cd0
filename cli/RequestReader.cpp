#include "RequestReader.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "Interrupt.h"
#include "Options.h"

namespace vr::cli {
namespace {

constexpr int kPollMs = 100;

bool Blank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

}  // namespace

RequestReader::~RequestReader() {
    Stop();
    if (thread_.joinable()) thread_.join();
}

void RequestReader::Start() {
    thread_ = std::thread([this] { ReadLoop(); });
}

void RequestReader::Stop() {
    const std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
    inputEnded_ = true;
    if (running_) RequestStop();
    changed_.notify_all();
}

void RequestReader::ReadLoop() {
    std::string line;
    bool overlong = false;  // the rest of a line too long to keep, up to its end
    char buffer[65536];
    for (;;) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (stop_ || closeRead_) return;
        }
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, kPollMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) continue;
        const ssize_t n = ready < 0 ? -1 : ::read(fd_, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) break;
        for (ssize_t i = 0; i < n; ++i) {
            const char c = buffer[i];
            if (c != '\n') {
                if (overlong) continue;
                if (line.size() < kMaxRequestBytes) {
                    line += c;
                    continue;
                }
                overlong = true;
                line.clear();
                output_.Write(ErrorLine(nullptr, kExitUsage,
                                        "the request is longer than " + std::to_string(kMaxRequestBytes) + " bytes"));
                continue;
            }
            if (!overlong) TakeLine(line);
            overlong = false;
            line.clear();
            const std::lock_guard<std::mutex> lock(mutex_);
            if (closeRead_) return;
        }
    }
    // The last line may lack its line end.
    if (!overlong && !line.empty()) TakeLine(line);
    InputEnds();
}

void RequestReader::TakeLine(std::string_view line) {
    if (Blank(line)) return;
    ServeRequest request;
    std::string error;
    if (!ParseRequest(line, request, error)) {
        output_.Write(ErrorLine(request.id, kExitUsage, error));
        return;
    }
    if (request.cmd == "cancel") {
        Cancel(request);
        return;
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    if (request.cmd == "close") closeRead_ = true;
    waiting_.push_back({std::move(request), false});
    changed_.notify_all();
}

void RequestReader::Cancel(const ServeRequest& cancel) {
    if (cancel.args.size() > 1) {
        output_.Write(ErrorLine(cancel.id, kExitUsage, "cancel takes the id of one request, or nothing"));
        return;
    }
    bool found = false;
    Json which;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (running_ && (cancel.args.empty() || cancel.args.front() == IdText(runningId_))) {
            RequestStop();
            found = true;
            which = runningId_;
        } else if (!cancel.args.empty()) {
            for (Waiting& w : waiting_) {
                if (w.cancelled || w.request.cmd == "close" || IdText(w.request.id) != cancel.args.front()) continue;
                w.cancelled = true;
                found = true;
                which = w.request.id;
                break;
            }
        }
    }
    if (!found) {
        output_.Write(ErrorLine(
            cancel.id, kExitUsage,
            cancel.args.empty() ? "nothing to cancel: no request is running"
                                : "nothing to cancel: no request " + cancel.args.front() + " is running or waiting"));
        return;
    }
    output_.Write(AnswerLine(cancel.id, {{"cancelled", which}}));
}

void RequestReader::InputEnds() {
    const std::lock_guard<std::mutex> lock(mutex_);
    inputEnded_ = true;
    if (running_ && !closeRead_) RequestStop();
    changed_.notify_all();
}

RequestReader::Next RequestReader::Pop(ServeRequest& request, std::chrono::milliseconds wait) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, wait, [this] { return !waiting_.empty() || inputEnded_; });
    if (waiting_.empty()) return inputEnded_ ? Next::Ended : Next::Idle;
    Waiting next = std::move(waiting_.front());
    waiting_.pop_front();
    request = std::move(next.request);
    if (next.cancelled) return Next::Cancelled;
    // Input that ended without "close" leaves what waits unrun; "close" lets it all run.
    if (inputEnded_ && !closeRead_) return Next::InputEnded;
    ClearStopRequest();
    running_ = true;
    runningId_ = request.id;
    return Next::Run;
}

void RequestReader::Finished() {
    const std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    runningId_ = nullptr;
}

}  // namespace vr::cli
