#include "sim/PtyServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "sim/CameraReplies.h"
#include "sim/StateFile.h"

namespace vr::sim {
namespace {

std::string Errno(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

speed_t SpeedConstant(uint32_t rate) {
    switch (rate) {
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return B9600;
    }
}

uint32_t RateOf(speed_t speed) {
    switch (speed) {
        case B1200:
            return 1200;
        case B2400:
            return 2400;
        case B4800:
            return 4800;
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        case B230400:
            return 230400;
        case B460800:
            return 460800;
        case B921600:
            return 921600;
        default:
            return 0;
    }
}

std::chrono::nanoseconds ByteTime(uint32_t rate) {
    // 10 bits a byte: start bit, 8 data bits, stop bit.
    return std::chrono::nanoseconds(10'000'000'000LL / std::max<uint32_t>(rate, 1));
}

void CloseFd(int& fd) {
    if (fd >= 0) close(fd);  // Linux frees the descriptor even on EINTR: never retried
    fd = -1;
}

// When no program has the slave open the master reports a hang-up without end; the server then
// looks again this often for one that opens it.
constexpr int kAbsentRecheckMs = 10;
// How long a hang-up waits for the program to read the last answer.
constexpr int kHangupDrainMs = 2000;

}  // namespace

PtyServer::~PtyServer() {
    Stop();
}

bool PtyServer::Start(const SimOptions& options, std::string* error) {
    if (thread_.joinable() || master_ >= 0) {
        if (error != nullptr) *error = "the virtual camera is already running";
        return false;
    }
    if (!ValidateOptions(options, error)) return false;
    auto fail = [&](const std::string& why) {
        if (error != nullptr) *error = why;
        CloseAll();
        return false;
    };
    options_ = options;
    auto camera = std::make_unique<VirtualCamera>(options_);
    if (!options_.stateFile.empty()) {
        std::string text, why;
        if (!ReadStateFile(options_.stateFile, &text, &why)) return fail(why);
        if (!text.empty() && !camera->LoadState(text, &why))
            return fail("state file " + options_.stateFile + ": " + why);
    }
    savedGeneration_ = camera->FlashGeneration();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        camera_ = std::move(camera);
        lastError_.clear();
    }

    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) return fail(Errno("posix_openpt"));
    if (grantpt(master_) != 0) return fail(Errno("grantpt"));
    if (unlockpt(master_) != 0) return fail(Errno("unlockpt"));
    char name[128];
    if (ptsname_r(master_, name, sizeof name) != 0) return fail(Errno("ptsname_r"));
    devicePath_ = name;
    const int flags = fcntl(master_, F_GETFL);
    if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) return fail(Errno("fcntl"));
    // Raw from the start: a slave with echo on would send the camera's answers back to it.
    termios t{};
    if (tcgetattr(master_, &t) != 0) return fail(Errno("tcgetattr"));
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    if (cfsetispeed(&t, SpeedConstant(options_.startRate)) != 0 ||
        cfsetospeed(&t, SpeedConstant(options_.startRate)) != 0)
        return fail(Errno("cfsetspeed"));
    int r;
    do r = tcsetattr(master_, TCSANOW, &t);
    while (r != 0 && errno == EINTR);
    if (r != 0) return fail(Errno("tcsetattr"));

    wake_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake_ < 0) return fail(Errno("eventfd"));

    if (!options_.linkPath.empty()) {
        struct stat st {};
        if (lstat(options_.linkPath.c_str(), &st) == 0) {
            // An old link of ours (or anyone's) is replaced; a real file is never overwritten.
            if (!S_ISLNK(st.st_mode)) return fail(options_.linkPath + " exists and is not a symlink");
            if (unlink(options_.linkPath.c_str()) != 0) return fail(Errno("unlink " + options_.linkPath));
        } else if (errno != ENOENT) {
            return fail(Errno("lstat " + options_.linkPath));
        }
        if (symlink(devicePath_.c_str(), options_.linkPath.c_str()) != 0)
            return fail(Errno("symlink " + options_.linkPath));
        linkMade_ = true;
    }

    assembler_.Reset();
    pending_.clear();
    out_.clear();
    rxWireFree_ = txWireFree_ = Clock::time_point{};
    wantWrite_ = false;
    noise_.seed(options_.noiseSeed);
    linesHandled_ = 0;
    droppedForRate_ = 0;
    hungUp_ = false;
    running_ = true;
    thread_ = std::thread([this] { Run(); });
    return true;
}

void PtyServer::Stop() {
    if (thread_.joinable()) {
        const uint64_t one = 1;
        ssize_t n;
        do n = write(wake_, &one, sizeof one);
        while (n < 0 && errno == EINTR);
        thread_.join();
    }
    CloseAll();
}

void PtyServer::CloseAll() {
    running_ = false;
    CloseFd(master_);
    CloseFd(wake_);
    if (linkMade_) {
        // Only our own link goes: another camera may have taken the name meanwhile.
        char target[256];
        const ssize_t n = readlink(options_.linkPath.c_str(), target, sizeof target - 1);
        if (n >= 0 && std::string(target, static_cast<size_t>(n)) == devicePath_ &&
            unlink(options_.linkPath.c_str()) != 0)
            SetError(Errno("unlink " + options_.linkPath));
        linkMade_ = false;
    }
}

std::string PtyServer::LastError() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastError_;
}

void PtyServer::SetError(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    lastError_ = text;
}

uint32_t PtyServer::CameraRate() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return camera_ ? camera_->CurrentRate() : 0;
}

std::string PtyServer::ModelName() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return camera_ ? camera_->ModelName() : std::string();
}

std::optional<int32_t> PtyServer::Value(const std::string& mnemonic) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return camera_ ? camera_->Value(mnemonic) : std::nullopt;
}

std::optional<std::string> PtyServer::QueryValue(const std::string& mnemonic) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return camera_ ? camera_->QueryValue(mnemonic) : std::nullopt;
}

void PtyServer::Inspect(const std::function<void(const VirtualCamera&)>& look) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (camera_) look(*camera_);
}

void PtyServer::Run() {
    bool clientAbsent = false;
    for (;;) {
        const auto now = Clock::now();
        HandleDueLines(now);
        PollCamera(now);
        SaveStateIfChanged();
        DeliverDue(now, clientAbsent);
        if (options_.hangupAfter > 0 && linesHandled_ >= static_cast<uint64_t>(options_.hangupAfter) &&
            pending_.empty() && out_.empty()) {
            // Like an adapter pulled out: the device disappears and the program's reads fail. Closing
            // the master throws away what the program has not read yet, so the last answer is given
            // time to be read first.
            if (!WaitUntilRead()) return;
            CloseFd(master_);
            hungUp_ = true;
            running_ = false;
            return;
        }
        // Wake at the exact due time: a paced byte at 115200 bit/s takes 87 us, so rounding every
        // wait up to whole milliseconds would slow the camera far below its line rate.
        std::optional<std::chrono::nanoseconds> wait;
        if (auto next = NextWake())
            wait = std::clamp<std::chrono::nanoseconds>(*next - Clock::now(), std::chrono::nanoseconds(0),
                                                        std::chrono::seconds(60));
        if (clientAbsent && (!wait || *wait > std::chrono::milliseconds(kAbsentRecheckMs)))
            wait = std::chrono::milliseconds(kAbsentRecheckMs);
        timespec waitSpec{};
        if (wait) {
            waitSpec.tv_sec = static_cast<time_t>(wait->count() / 1000000000);
            waitSpec.tv_nsec = static_cast<long>(wait->count() % 1000000000);
        }
        pollfd fds[2] = {{wake_, POLLIN, 0}, {clientAbsent ? -1 : master_, POLLIN, 0}};
        if (wantWrite_) fds[1].events |= POLLOUT;
        const int r = ppoll(fds, 2, wait ? &waitSpec : nullptr, nullptr);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) {
            SetError(Errno("poll"));
            running_ = false;
            return;
        }
        if (fds[0].revents != 0) return;  // Stop
        short events = fds[1].revents;
        if (clientAbsent) {
            // Waited without the master; see whether a program has opened the slave since.
            pollfd again = {master_, POLLIN, 0};
            if (poll(&again, 1, 0) < 0 && errno != EINTR) {
                SetError(Errno("poll"));
                running_ = false;
                return;
            }
            events = again.revents;
        }
        clientAbsent = (events & (POLLHUP | POLLERR)) != 0 && (events & POLLIN) == 0;
        if (events & POLLIN) ReadMaster(clientAbsent);
        if (events & POLLOUT) wantWrite_ = false;
    }
}

bool PtyServer::WaitUntilRead() {
    // What the program has not read sits in the slave's input queue, which only the slave side
    // shows. Polling it also moves bytes still on their way from the master into that queue, so a
    // quiet slave really has nothing left to read.
    int probe = open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0) return true;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kHangupDrainMs);
    bool carryOn = true;
    for (;;) {
        pollfd unread = {probe, POLLIN, 0};
        if (poll(&unread, 1, 0) <= 0 || (unread.revents & POLLIN) == 0 || Clock::now() >= deadline) break;
        pollfd stop = {wake_, POLLIN, 0};
        if (poll(&stop, 1, 5) > 0) {
            carryOn = false;  // Stop came first
            break;
        }
    }
    CloseFd(probe);
    return carryOn;
}

void PtyServer::ReadMaster(bool& clientAbsent) {
    char buffer[512];
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n < 0) {
        if (errno == EINTR || errno == EAGAIN) return;
        // EIO: every program closed the slave side; what was on its way is gone with it.
        if (errno != EIO) SetError(Errno("read from the pty"));
        clientAbsent = true;
        assembler_.Reset();
        return;
    }
    if (n == 0) {
        clientAbsent = true;
        return;
    }
    if (options_.silent) return;
    // The rate is read after the bytes: a program sets its rate before it writes, so these bytes
    // went out at the rate it has now.
    termios t{};
    const uint32_t lineRate = tcgetattr(master_, &t) == 0 ? RateOf(cfgetospeed(&t)) : 0;
    const auto now = Clock::now();
    std::lock_guard<std::mutex> lock(mutex_);
    for (ssize_t i = 0; i < n; ++i) TakeByte(buffer[i], lineRate, now);
}

void PtyServer::TakeByte(char byte, uint32_t lineRate, Clock::time_point now) {
    if (options_.noisePerMille > 0 && static_cast<int>(noise_() % 1000) < options_.noisePerMille)
        byte = static_cast<char>(byte ^ (1 << (noise_() % 8)));
    if (!camera_->Listening()) {
        assembler_.Reset();
        return;
    }
    const uint32_t cameraRate = camera_->CurrentRate();
    if (lineRate != cameraRate) {
        // Framing garbage at best: whatever line was under way is spoilt too.
        ++droppedForRate_;
        assembler_.Reset();
        return;
    }
    Clock::time_point arrival = now;
    if (options_.pace) {
        rxWireFree_ = std::max(rxWireFree_, now) + ByteTime(cameraRate);
        arrival = rxWireFree_;
    }
    if (auto line = assembler_.Feed(byte)) pending_.push_back({std::move(*line), arrival});
}

void PtyServer::HandleDueLines(Clock::time_point now) {
    std::lock_guard<std::mutex> lock(mutex_);
    while (!pending_.empty() && pending_.front().due <= now) {
        PendingLine p = std::move(pending_.front());
        pending_.pop_front();
        if (options_.hangupAfter > 0 && linesHandled_ >= static_cast<uint64_t>(options_.hangupAfter)) continue;
        // A camera that froze: the line stays, nothing is heard any more.
        if (options_.silentAfter > 0 && linesHandled_ >= static_cast<uint64_t>(options_.silentAfter)) continue;
        // The answer goes out at the rate the line came in, also when the line changes the rate.
        const uint32_t rate = camera_->CurrentRate();
        const auto delay = ReplyDelay(p.line.text);
        std::vector<std::string> replies;
        if (p.line.overlong) {
            replies = camera_->Poll();
            replies.push_back(kErrorTooLong);
        } else {
            replies = camera_->HandleLine(p.line.text);
        }
        if (replies.empty() && IsLateLine()) lateAnswerPending_ = true;
        ++linesHandled_;
        Send(replies, p.due + delay, rate);
    }
}

void PtyServer::PollCamera(Clock::time_point now) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto next = camera_->NextEventTime();
    if (!next || *next > now) return;
    const uint32_t rate = camera_->CurrentRate();
    const std::vector<std::string> replies = camera_->Poll();
    auto delay = std::chrono::milliseconds(options_.slowMs);
    if (lateAnswerPending_ && !replies.empty()) {
        delay += std::chrono::milliseconds(options_.lateReplyMs);
        lateAnswerPending_ = false;
    }
    Send(replies, now + delay, rate);
}

bool PtyServer::IsLateLine() const {
    // linesHandled_ still counts the lines before this one.
    return options_.lateReplyLine > 0 && linesHandled_ + 1 == static_cast<uint64_t>(options_.lateReplyLine);
}

std::chrono::milliseconds PtyServer::ReplyDelay(const std::string& line) const {
    auto delay = std::chrono::milliseconds(options_.slowMs);
    if (IsLateLine()) delay += std::chrono::milliseconds(options_.lateReplyMs);
    if (!options_.delayReplyMs.empty()) {
        std::string name;
        for (char c : line.substr(0, line.find_first_of("=?")))
            if (c != ' ') name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (auto found = options_.delayReplyMs.find(name); found != options_.delayReplyMs.end())
            delay += std::chrono::milliseconds(found->second);
    }
    return delay;
}

void PtyServer::Send(const std::vector<std::string>& lines, Clock::time_point notBefore, uint32_t rate) {
    if (options_.silent) return;
    Clock::time_point last = out_.empty() ? notBefore : std::max(notBefore, out_.back().due);
    const char* end = options_.replyEnd == ReplyEnd::Cr ? "\r" : options_.replyEnd == ReplyEnd::Lf ? "\n" : "\r\n";
    for (std::string line : lines) {
        if (options_.nulInReplies && !line.empty()) line.insert(1, 1, '\0');
        for (char c : line + end) {
            if (options_.pace) {
                txWireFree_ = std::max(txWireFree_, last) + ByteTime(rate);
                last = txWireFree_;
            }
            out_.push_back({c, last});
        }
    }
}

void PtyServer::DeliverDue(Clock::time_point now, bool clientAbsent) {
    std::string chunk;
    while (!out_.empty() && out_.front().due <= now && chunk.size() < 4096) {
        chunk += out_.front().byte;
        out_.pop_front();
    }
    if (chunk.empty()) return;
    if (clientAbsent) return;  // nobody on the line: the bytes are lost, as on a wire
    size_t done = 0;
    while (done < chunk.size()) {
        const ssize_t n = write(master_, chunk.data() + done, chunk.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) {
            // The program does not read: keep the rest for when the pty takes bytes again.
            for (size_t i = chunk.size(); i > done; --i) out_.push_front({chunk[i - 1], now});
            wantWrite_ = true;
            return;
        }
        if (n < 0) {
            if (errno != EIO) SetError(Errno("write to the pty"));
            return;
        }
        done += static_cast<size_t>(n);
    }
}

void PtyServer::SaveStateIfChanged() {
    if (options_.stateFile.empty()) return;
    std::string text;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (camera_->FlashGeneration() == savedGeneration_) return;
        savedGeneration_ = camera_->FlashGeneration();
        text = camera_->SaveState();
    }
    std::string why;
    if (!WriteStateFile(options_.stateFile, text, &why)) SetError(why);
}

std::optional<PtyServer::Clock::time_point> PtyServer::NextWake() const {
    std::optional<Clock::time_point> next;
    auto consider = [&next](Clock::time_point t) {
        if (!next || t < *next) next = t;
    };
    if (!out_.empty() && !wantWrite_) consider(out_.front().due);
    if (!pending_.empty()) consider(pending_.front().due);
    std::lock_guard<std::mutex> lock(mutex_);
    if (auto t = camera_->NextEventTime()) consider(*t);
    return next;
}

}  // namespace vr::sim
