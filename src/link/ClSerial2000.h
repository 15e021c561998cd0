#pragma once
// Communication mode 1, "Camera Link spec. 2000": each frame-grabber library in the library folder
// is one selectable port; the chosen file is loaded and its serial index opened. The oldest
// libraries run their line at 9600 bit/s only.

#include <cstdint>
#include <string>

#include "link/ClLibrary.h"

namespace vr::link {

struct ClApi2000 {
    cl::SerialInitFn clSerialInit = nullptr;
    cl::SerialCloseFn clSerialClose = nullptr;
    cl::SerialReadFn clSerialRead = nullptr;
    cl::SerialWriteFn clSerialWrite = nullptr;
};

class CClSerial2000 final : public ClLibrary<ClApi2000> {
public:
    explicit CClSerial2000(platform::IPlatform& platform) : ClLibrary(platform) {}

    void Enumerate();
    int GetPortCount();

    int Load(const std::string& fileName);
    int Init(uint32_t portIndex);
    int SetBaudRate(uint32_t rate);

    bool SupportsRate(uint32_t rate) const { return rate == 9600; }
};

}  // namespace vr::link
