// The reader thread's ring: order across the wrap, overflow accounting, one producer and one consumer.

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "link/RingBuffer.h"

using vr::link::RingBuffer;

namespace {

TEST(RingBuffer, KeepsOrderAndCountAcrossTheWrap) {
    RingBuffer ring;
    uint8_t next = 0, expected = 0;
    for (int chunk : {1, 7, 300, 1023, 512, 999, 2}) {
        for (int round = 0; round < 5; ++round) {
            std::vector<char> in(static_cast<size_t>(chunk));
            for (auto& c : in) c = static_cast<char>(next++);
            ASSERT_EQ(ring.Push(in.data(), chunk), chunk);
            ASSERT_EQ(ring.Available(), chunk);
            std::vector<char> out(static_cast<size_t>(chunk) + 5);
            ASSERT_EQ(ring.Pop(out.data(), chunk + 5), chunk);
            for (int i = 0; i < chunk; ++i) ASSERT_EQ(static_cast<uint8_t>(out[static_cast<size_t>(i)]), expected++);
            ASSERT_EQ(ring.Available(), 0);
        }
    }
    EXPECT_EQ(ring.Dropped(), 0u);
}

TEST(RingBuffer, OverflowKeepsTheOldestBytesAndAnExactCount) {
    RingBuffer ring;
    std::vector<char> in(1500);
    for (size_t i = 0; i < in.size(); ++i) in[i] = static_cast<char>(i % 251);
    char scratch[8];
    ASSERT_EQ(ring.Pop(scratch, 3), 0);
    EXPECT_EQ(ring.Push(in.data(), 1000), 1000);
    EXPECT_EQ(ring.Push(in.data() + 1000, 500), 23);
    EXPECT_EQ(ring.Available(), RingBuffer::kCapacity);
    EXPECT_EQ(ring.Dropped(), 477u);
    EXPECT_EQ(ring.Push(in.data(), 1), 0) << "full stays full";
    std::vector<char> out(2000);
    ASSERT_EQ(ring.Pop(out.data(), 10), 10);
    EXPECT_EQ(ring.Push("abcdefghijkl", 12), 10);
    ASSERT_EQ(ring.Pop(out.data() + 10, 2000), RingBuffer::kCapacity);
    for (size_t i = 0; i < 1023; ++i) ASSERT_EQ(out[i], in[i]) << i;
    EXPECT_EQ(std::string(out.data() + 1023, 10), "abcdefghij");
    EXPECT_EQ(ring.Available(), 0);
}

// One producer thread, one consumer thread, no lock: every byte arrives once and in order.
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
