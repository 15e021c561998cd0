#pragma once
// The 1024-byte ring between a port's reader thread (the only producer) and the user-interface
// thread (the only consumer). No lock: head is written only by the producer, tail only by the
// consumer, each published with release and read with acquire, so the bytes a reader sees behind
// head are complete. One slot stays free to tell full from empty, so at most 1023 bytes wait.
//
// On overflow the ring keeps the oldest unread bytes and drops the newest ones that do not fit:
// the producer may not move tail (the consumer owns it), and dropping at the producer keeps the
// unread count exact. Dropped() counts what was lost.

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace vr::link {

class RingBuffer {
public:
    static constexpr int32_t kSize = 1024;
    static constexpr int32_t kCapacity = kSize - 1;

    // Producer: stores up to count bytes; returns how many fitted.
    int32_t Push(const char* bytes, int32_t count) {
        const int32_t head = head_.load(std::memory_order_relaxed);
        const int32_t tail = tail_.load(std::memory_order_acquire);
        const int32_t room = kCapacity - Unread(head, tail);
        const int32_t n = count < room ? count : room;
        for (int32_t i = 0; i < n; ++i) data_[(head + i) % kSize] = bytes[i];
        head_.store((head + n) % kSize, std::memory_order_release);
        if (n < count) dropped_.fetch_add(static_cast<uint64_t>(count - n), std::memory_order_relaxed);
        return n;
    }

    // Consumer: moves up to count bytes out; never waits.
    int32_t Pop(char* buffer, int32_t count) {
        const int32_t tail = tail_.load(std::memory_order_relaxed);
        const int32_t head = head_.load(std::memory_order_acquire);
        const int32_t available = Unread(head, tail);
        const int32_t n = count < available ? count : available;
        for (int32_t i = 0; i < n; ++i) buffer[i] = data_[(tail + i) % kSize];
        tail_.store((tail + n) % kSize, std::memory_order_release);
        return n;
    }

    int32_t Available() const {
        return Unread(head_.load(std::memory_order_acquire), tail_.load(std::memory_order_acquire));
    }

    uint64_t Dropped() const { return dropped_.load(std::memory_order_relaxed); }

    // Only while no producer runs (the port is closed).
    void Reset() {
        head_.store(0, std::memory_order_relaxed);
        tail_.store(0, std::memory_order_relaxed);
        dropped_.store(0, std::memory_order_relaxed);
    }

private:
    static int32_t Unread(int32_t head, int32_t tail) {
        const int32_t d = head - tail;
        return d < 0 ? d + kSize : d;
    }

    char data_[kSize] = {};
    std::atomic<int32_t> head_{0};
    std::atomic<int32_t> tail_{0};
    std::atomic<uint64_t> dropped_{0};
};

}  // namespace vr::link
