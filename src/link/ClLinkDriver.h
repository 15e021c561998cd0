#pragma once
// The three Camera Link generations as link drivers: each library is its own class (how it is
// found, loaded and how its ports are listed), and this one template does what they do alike:
// open a port and set its rate, write with the library's write time-out, and read in short slices
// so the engine's wait wakes soon after a byte arrives.

#include <algorithm>
#include <thread>

#include "link/LinkDriver.h"

namespace vr::link {

template <typename Library>
class ClLinkDriver final : public ILinkDriver {
public:
    // What the libraries are given per call: a write may take 500 ms, a read waits at most 10 ms.
    static constexpr uint32_t kWriteTimeoutMs = 500;
    static constexpr std::chrono::milliseconds kReadSlice{10};

    explicit ClLinkDriver(Library& library) : library_(library) {}

    int PortCount() override { return library_.GetPortCount(); }
    std::string PortName(int index) override { return library_.GetPortName(index); }

    int Open(uint32_t portIndex, uint32_t rate) override {
        // A port that does not open leaves the rate alone; a refused rate leaves the port open at
        // the rate its library chose.
        if (!library_.Init(portIndex)) return 0;
        return library_.SetBaudRate(rate);
    }
    void Close() override { library_.Close(); }
    bool IsOpen() const override { return library_.IsOpen(); }

    void Write(const std::string& text) override {
        library_.Write(text.data(), static_cast<uint32_t>(text.size()), kWriteTimeoutMs);
    }

    int Read(char* buffer, int count, std::chrono::milliseconds timeout) override {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point end = Clock::now() + std::max(timeout, std::chrono::milliseconds(0));
        int total = 0;
        for (;;) {
            const Clock::time_point now = Clock::now();
            const auto slice = std::min(kReadSlice, std::chrono::ceil<std::chrono::milliseconds>(end - now));
            const uint32_t sliceMs = slice.count() > 0 ? static_cast<uint32_t>(slice.count()) : 0;
            const int got = library_.Read(buffer + total, 1, sliceMs);
            total += got;
            if (total >= count || Clock::now() >= end) return total;
            // A library that ignores the time-out and returns at once with nothing would make this
            // loop spin; wait out the slice it was given instead.
            if (got == 0) std::this_thread::sleep_until(std::min(now + slice, end));
        }
    }

    bool SupportsRate(uint32_t rate) override { return library_.SupportsRate(rate); }
    std::string LastError() const override { return library_.LastError(); }

private:
    Library& library_;
};

}  // namespace vr::link
