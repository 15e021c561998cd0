#pragma once
// Communication mode 3, "Camera Link spec. ver.1.1": the standard's dispatcher library
// (libclallserial.so), which numbers every maker's ports in one list shown as "maker - port".

#include <cstdint>
#include <string>
#include <vector>

#include "link/ClSerialApi.h"
#include "link/DynamicLibrary.h"

namespace vr::app {
class IPlatform;
}

namespace vr::link {

class CClSerialVer11 {
public:
    explicit CClSerialVer11(app::IPlatform& platform) : platform_(platform) {}
    ~CClSerialVer11() { Close(); }
    CClSerialVer11(const CClSerialVer11&) = delete;
    CClSerialVer11& operator=(const CClSerialVer11&) = delete;

    // Rebuilds the list with a load of its own; the list is empty when the library is missing.
    void Enumerate();
    int GetPortCount();
    std::string GetPortName(int index) const;

    int Load();
    int Init(uint32_t portIndex);
    int SetBaudRate(uint32_t rate);
    int Write(const char* bytes, uint32_t count, uint32_t timeoutMs);
    int Read(char* buffer, uint32_t count, uint32_t timeoutMs);
    void Close();
    void Unload();

    bool IsOpen() const { return ref_ != nullptr; }
    bool SupportsRate(uint32_t rate) const;
    const std::string& LastError() const { return lastError_; }

private:
    struct Api {
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
    static bool LoadInto(DynamicLibrary& library, Api& api);

    app::IPlatform& platform_;
    std::vector<std::string> ports_;
    bool enumerated_ = false;
    DynamicLibrary library_;
    cl::hSerRef ref_ = nullptr;
    uint32_t openIndex_ = 0;
    Api api_;
    std::string lastError_;
};

}  // namespace vr::link
