#pragma once
// Runs a virtual camera on a pseudo-terminal in a background thread, so that a program opens the
// slave side (/dev/pts/N, or a symlink to it) as if it were the camera's serial port.
//
// The camera listens at its own line rate. Before it takes received bytes it reads the rate the
// program set on the slave side (on Linux the termios of the master report the slave's settings)
// and drops bytes sent at any other rate, as a UART at the wrong rate would hear only garbage.
// With pacing on, every byte takes its wire time of 10 bits at the camera's rate, both ways.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "sim/LineAssembler.h"
#include "sim/SimOptions.h"
#include "sim/VirtualCamera.h"

namespace vr::sim {

class PtyServer {
public:
    PtyServer() = default;
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pty (raw, at the start rate), loads the state file, makes the symlink and starts
    // serving. False with the reason when any of it fails; nothing is left open then.
    bool Start(const SimOptions& options, std::string* error);
    // Stops serving, joins the thread, closes the pty and removes the symlink. Safe to repeat.
    void Stop();

    // The slave side, such as /dev/pts/3; empty before Start.
    std::string DevicePath() const { return devicePath_; }
    std::string LinkPath() const { return options_.linkPath; }
    // True from Start until Stop, a hang-up (--hangup-after) or a failure of the pty.
    bool Running() const { return running_; }
    bool HungUp() const { return hungUp_; }
    // The last failure while serving (writing the state file, the pty); empty when none.
    std::string LastError() const;

    // The camera's state, taken under the server's lock: for tests and tools that want to see
    // what the camera did without asking over the line.
    uint32_t CameraRate() const;
    std::string ModelName() const;
    std::optional<int32_t> Value(const std::string& mnemonic) const;
    std::optional<std::string> QueryValue(const std::string& mnemonic) const;
    void Inspect(const std::function<void(const VirtualCamera&)>& look) const;

    // Lines the camera took (after rate and noise), and bytes it dropped for a wrong rate.
    uint64_t LinesHandled() const { return linesHandled_; }
    uint64_t BytesDroppedForRate() const { return droppedForRate_; }

private:
    using Clock = std::chrono::steady_clock;
    struct PendingLine {
        LineAssembler::Line line;
        Clock::time_point due;
    };
    struct OutByte {
        char byte;
        Clock::time_point due;
    };

    void Run();
    // False when Stop arrived meanwhile.
    bool WaitUntilRead();
    void ReadMaster(bool& clientAbsent);
    void TakeByte(char byte, uint32_t lineRate, Clock::time_point now);
    void HandleDueLines(Clock::time_point now);
    void PollCamera(Clock::time_point now);
    void Send(const std::vector<std::string>& lines, Clock::time_point notBefore, uint32_t rate);
    // How much later than at once the answer to this line leaves (--slow, --late-reply, --delay-reply).
    std::chrono::milliseconds ReplyDelay(const std::string& line) const;
    // The line about to be handled is the one whose answer leaves late.
    bool IsLateLine() const;
    void DeliverDue(Clock::time_point now, bool clientAbsent);
    void SaveStateIfChanged();
    std::optional<Clock::time_point> NextWake() const;
    void SetError(const std::string& text);
    void CloseAll();

    SimOptions options_;
    std::unique_ptr<VirtualCamera> camera_;  // guarded by mutex_
    mutable std::mutex mutex_;
    std::string lastError_;  // guarded by mutex_
    std::string devicePath_;
    int master_ = -1;
    int wake_ = -1;
    bool linkMade_ = false;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> hungUp_{false};
    std::atomic<uint64_t> linesHandled_{0};
    std::atomic<uint64_t> droppedForRate_{0};

    // Owned by the serving thread.
    LineAssembler assembler_;
    std::deque<PendingLine> pending_;
    std::deque<OutByte> out_;
    Clock::time_point rxWireFree_{};
    Clock::time_point txWireFree_{};
    bool wantWrite_ = false;
    // The late line started a function, whose answer comes later: that answer is the late one.
    bool lateAnswerPending_ = false;
    uint64_t savedGeneration_ = 0;
    std::mt19937 noise_;
};

}  // namespace vr::sim
