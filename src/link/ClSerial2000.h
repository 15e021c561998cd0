#pragma once
// Communication mode 1, "Camera Link spec. 2000": each frame-grabber library in the library folder
// is one selectable port; the chosen file is loaded and its serial index opened. The oldest
// libraries run their line at 9600 bit/s only.

#include <cstdint>
#include <string>
#include <vector>

#include "link/ClSerialApi.h"
#include "link/DynamicLibrary.h"

namespace vr::app {
class IPlatform;
}

namespace vr::link {

class CClSerial2000 {
public:
    explicit CClSerial2000(app::IPlatform& platform) : platform_(platform) {}
    ~CClSerial2000() { Close(); }
    CClSerial2000(const CClSerial2000&) = delete;
    CClSerial2000& operator=(const CClSerial2000&) = delete;

    void Enumerate();
    int GetPortCount();
    std::string GetPortName(int index) const;  // empty outside the list

    int Load(const std::string& fileName);
    int Init(uint32_t portIndex);
    int SetBaudRate(uint32_t rate);
    int Write(const char* bytes, uint32_t count, uint32_t timeoutMs);
    int Read(char* buffer, uint32_t count, uint32_t timeoutMs);
    void Close();
    void Unload();

    bool IsOpen() const { return ref_ != nullptr; }
    bool SupportsRate(uint32_t rate) const { return rate == 9600; }
    // Why the last load or open failed (the loader's text, or the library's status).
    const std::string& LastError() const { return lastError_; }

private:
    struct Api {
        cl::SerialInitFn clSerialInit = nullptr;
        cl::SerialCloseFn clSerialClose = nullptr;
        cl::SerialReadFn clSerialRead = nullptr;
        cl::SerialWriteFn clSerialWrite = nullptr;
    };

    app::IPlatform& platform_;
    std::vector<std::string> ports_;
    bool enumerated_ = false;
    DynamicLibrary library_;
    cl::hSerRef ref_ = nullptr;
    Api api_;
    std::string lastError_;
};

}  // namespace vr::link
