#pragma once
// What the three generations of Camera Link serial library have alike once a library is loaded:
// the list of its ports, an open serial reference, reading and writing on it, closing it and
// unloading the library. Each generation adds how its library is found, loaded and listed, and how
// it takes a rate.

#include <cstdint>
#include <string>
#include <vector>

#include "link/ClPortCalls.h"
#include "link/ClSerialApi.h"
#include "link/DynamicLibrary.h"

namespace vr::platform {
class IPlatform;
}

namespace vr::link {

// Api: the generation's table of entry points; it has clSerialInit, clSerialClose, clSerialRead and
// clSerialWrite among them.
template <typename Api>
class ClLibrary {
public:
    explicit ClLibrary(platform::IPlatform& platform) : platform_(platform) {}
    ~ClLibrary() { Close(); }
    ClLibrary(const ClLibrary&) = delete;
    ClLibrary& operator=(const ClLibrary&) = delete;

    std::string GetPortName(int index) const {  // empty outside the list
        if (index < 0 || static_cast<size_t>(index) >= ports_.size()) return {};
        return ports_[static_cast<size_t>(index)];
    }

    int Write(const char* bytes, uint32_t count, uint32_t timeoutMs) {
        return cl::WritePort(api_.clSerialWrite, ref_, bytes, count, timeoutMs);
    }
    int Read(char* buffer, uint32_t count, uint32_t timeoutMs) {
        return cl::ReadPort(api_.clSerialRead, ref_, buffer, count, timeoutMs);
    }

    void Close() {
        if (ref_ != nullptr) {
            api_.clSerialClose(ref_);
            ref_ = nullptr;
        }
        Unload();
    }
    void Unload() {
        library_.Close();
        api_ = Api{};
    }

    bool IsOpen() const { return ref_ != nullptr; }
    // Why the last load or open failed (the loader's text, or the library's status).
    const std::string& LastError() const { return lastError_; }

protected:
    // After a load: opens the serial reference of portIndex; 1 when the library gave one.
    int OpenReference(uint32_t portIndex) {
        cl::hSerRef ref = nullptr;
        const cl::CLINT32 status = api_.clSerialInit(portIndex, &ref);
        if (status != cl::kErrNone || ref == nullptr) {
            lastError_ = "clSerialInit(" + std::to_string(portIndex) + ") returned " + std::to_string(status);
            return 0;
        }
        ref_ = ref;
        return 1;
    }
    int PortCount() const { return static_cast<int>(ports_.size()); }

    platform::IPlatform& platform_;
    std::vector<std::string> ports_;
    bool enumerated_ = false;
    DynamicLibrary library_;
    cl::hSerRef ref_ = nullptr;
    Api api_;
    std::string lastError_;
};

}  // namespace vr::link
