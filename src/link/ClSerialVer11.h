#pragma once
// Communication mode 3, "Camera Link spec. ver.1.1": the standard's dispatcher library
// (libclallserial.so), which numbers every maker's ports in one list shown as "maker - port".

#include <cstdint>
#include <string>

#include "link/ClLibrary.h"

namespace vr::link {

struct ClApiVer11 {
    cl::SerialInitFn clSerialInit = nullptr;
    cl::SerialCloseFn clSerialClose = nullptr;
    cl::SetBaudRateFn clSetBaudRate = nullptr;
    cl::SerialReadFn clSerialRead = nullptr;
    cl::SerialWriteFn clSerialWrite = nullptr;
    cl::FlushPortFn clFlushPort = nullptr;
    cl::GetErrorTextAllFn clGetErrorText = nullptr;
    cl::GetNumPortsFn clGetNumPorts = nullptr;
    cl::GetNumBytesAvailFn clGetNumBytesAvail = nullptr;
    cl::GetPortInfoFn clGetPortInfo = nullptr;
    cl::GetSupportedBaudRatesFn clGetSupportedBaudRates = nullptr;
};

class CClSerialVer11 final : public ClLibrary<ClApiVer11> {
public:
    explicit CClSerialVer11(platform::IPlatform& platform) : ClLibrary(platform) {}

    // Rebuilds the list with a load of its own; the list is empty when the library is missing.
    void Enumerate();
    int GetPortCount();

    int Load();
    int Init(uint32_t portIndex);
    int SetBaudRate(uint32_t rate);

    bool SupportsRate(uint32_t rate) const;

private:
    static bool LoadInto(DynamicLibrary& library, ClApiVer11& api);

    uint32_t openIndex_ = 0;
};

}  // namespace vr::link
