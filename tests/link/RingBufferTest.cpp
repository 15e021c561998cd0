// The reader thread's ring: overflow accounting, and one producer and one consumer across the wrap.

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "link/RingBuffer.h"

using vr::link::RingBuffer;

namespace {

// The reader only pushes what it measured room for; given more, the ring keeps the oldest bytes and
// counts exactly what it dropped.
TEST(RingBuffer, OverflowKeepsTheOldestBytesAndAnExactCount) {
    RingBuffer ring;
    std::vector<char> in(1500), out(2000);
    for (size_t i = 0; i < in.size(); ++i) in[i] = static_cast<char>(i % 251);
    EXPECT_EQ(ring.Push(in.data(), 1000), 1000);
    EXPECT_EQ(ring.Push(in.data() + 1000, 500), 23);
    EXPECT_EQ(ring.Dropped(), 477u);
    ASSERT_EQ(ring.Pop(out.data(), 2000), RingBuffer::kCapacity);
    EXPECT_TRUE(std::equal(in.begin(), in.begin() + RingBuffer::kCapacity, out.begin()));
    EXPECT_EQ(ring.Available(), 0);
}

// One producer thread, one consumer thread, no lock: every byte arrives once and in order, across
// hundreds of wraps of the ring.
TEST(RingBuffer, OneProducerAndOneConsumerThreadPassEveryByteInOrder) {
    RingBuffer ring;
    constexpr int kTotal = 200000;
    std::thread producer([&] {
        int sent = 0, chunk = 1;
        char buffer[97];
        while (sent < kTotal) {
            const int n = std::min(chunk, kTotal - sent);
            for (int i = 0; i < n; ++i) buffer[i] = static_cast<char>((sent + i) % 253);
            int done = 0;
            while (done < n) {
                done += ring.Push(buffer + done, n - done);
                if (done < n) std::this_thread::yield();
            }
            sent += n;
            chunk = chunk % 97 + 1;
        }
    });
    int received = 0;
    char buffer[64];
    while (received < kTotal) {
        const int n = ring.Pop(buffer, static_cast<int>(sizeof buffer));
        for (int i = 0; i < n; ++i) ASSERT_EQ(buffer[i], static_cast<char>((received + i) % 253));
        received += n;
        if (n == 0) std::this_thread::yield();
    }
    producer.join();
    EXPECT_EQ(ring.Available(), 0);
}

}  // namespace
