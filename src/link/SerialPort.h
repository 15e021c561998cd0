#pragma once
// The serial port link: one terminal device (a built-in port, a USB adapter or a pseudo-terminal)
// opened raw, with one reader thread that moves received bytes into a 1024-byte ring. The reader
// sleeps in poll() on the device and on a wake-up descriptor, so Close ends it at once, and a
// consumer blocked in WaitReadable wakes the moment bytes arrive.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "link/PortLock.h"
#include "link/RingBuffer.h"
#include "platform/SysCalls.h"

namespace vr::platform {
class IPlatform;
}

namespace vr::link {

class CSerialPort {
public:
    // Failures to open are told to the operator in a box of the platform's.
    // The port reaches the system through `calls` (the real ones unless a test gives its own).
    explicit CSerialPort(platform::IPlatform& platform, const platform::SysCalls& calls = platform::SysCalls::Real())
        : platform_(platform), calls_(calls), lock_(calls) {}
    ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens the device path (name is also what the messages call the port). 1 on success; 0 after
    // a "Failed to initialize %s port!" box whose second line names the failed step and the
    // operating system's reason. stopBits: 0 one, 1 one and a half, 2 two.
    int Open(const std::string& name, uint32_t rate, int byteSize, int stopBits, int xonXoff, int parityCheck);
    void Close();

    // 0 when closed or count < 1, else 1; a byte the device does not take within 1000 ms is dropped.
    int Write(const char* bytes, int count);
    // Bytes moved from the ring; never waits.
    int Read(char* buffer, int count);
    int GetAvailable() const { return ring_.Available(); }

    // Waits until unread bytes are in the ring or the time-out has passed; true when bytes are there.
    // Blocks on a condition the reader signals, so an idle or lost line costs no processor time.
    bool WaitReadable(std::chrono::milliseconds timeout);

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Name() const { return name_; }
    // The line went away under the open port (the device was unplugged or the other side hung up):
    // the reader has ended and nothing more arrives until the port is opened again.
    bool LineLost() const { return lost_.load(std::memory_order_acquire); }
    std::string LostReason() const;
    // Why the last open failed: the failed step and the system's reason, or who holds the port.
    const std::string& LastError() const { return lastError_; }
    // For the link driver, which finds failures before the port is opened at all.
    void SetLastError(std::string reason) { lastError_ = std::move(reason); }
    bool WaitLineLost(std::chrono::milliseconds timeout);
    // Bytes that arrived while the ring was full (they are dropped; the oldest unread bytes stay).
    uint64_t DroppedBytes() const { return ring_.Dropped(); }
    // The rate the device runs at now; 0 when closed.
    uint32_t LineRate() const;
    // What the last open did to make a USB serial adapter answer without delay (low latency, the
    // FTDI latency timer at 1 ms), or why it could not; empty for other devices.
    const std::string& LowLatencyNote() const { return lowLatencyNote_; }
    // Other programs that had the device open when the last open succeeded without locking it
    // (/proc shows them where this process may look): they may take the camera's replies. Empty when
    // none was seen.
    const std::string& HolderNote() const { return holderNote_; }

private:
    int Fail(const std::string& reason);
    void ReaderLoop();
    void EndLost(const std::string& reason);
    void Notify();

    platform::IPlatform& platform_;
    const platform::SysCalls& calls_;
    std::string name_;
    std::string lastError_;
    std::string lowLatencyNote_;
    std::string holderNote_;
    PortLock lock_;
    int fd_ = -1;
    int wakeFd_ = -1;
    RingBuffer ring_;
    std::thread reader_;
    std::atomic<bool> run_{true};
    std::atomic<bool> lost_{false};
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::string lostReason_;  // guarded by mutex_
};

}  // namespace vr::link
