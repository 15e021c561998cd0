#pragma once
// Communication mode 2, "Camera Link spec. 2001": one library (libclserial.so) serving several
// frame-grabber makers; the list holds the makers' names and opening a port selects the maker.

#include <cstdint>
#include <string>
#include <vector>

#include "link/ClSerialApi.h"
#include "link/DynamicLibrary.h"

namespace vr::app {
class IPlatform;
}

namespace vr::link {

class CClSerial2001 {
public:
    explicit CClSerial2001(app::IPlatform& platform) : platform_(platform) {}
    ~CClSerial2001() { Close(); }
    CClSerial2001(const CClSerial2001&) = delete;
    CClSerial2001& operator=(const CClSerial2001&) = delete;

    // Rebuilds the list with a load of its own; when the library cannot be loaded the previous
    // list stays.
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
        cl::GetManufacturerFn clGetManufacturer = nullptr;
        cl::GetNumManufacturersFn clGetNumManufacturers = nullptr;
        cl::SelectManufacturerFn clSelectManufacturer = nullptr;
        cl::GetNumSerialPortsFn clGetNumSerialPorts = nullptr;
        cl::GetSerialPortIdentifierFn clGetSerialPortIdentifier = nullptr;
        cl::SerialInitFn clSerialInit = nullptr;
        cl::SerialCloseFn clSerialClose = nullptr;
        cl::SerialReadFn clSerialRead = nullptr;
        cl::SerialWriteFn clSerialWrite = nullptr;
        cl::GetSupportedBaudRatesFn clGetSupportedBaudRates = nullptr;
        cl::SetBaudRateFn clSetBaudRate = nullptr;
        cl::GetErrorTextFn clGetErrorText = nullptr;
    };
    static bool LoadInto(DynamicLibrary& library, Api& api);

    app::IPlatform& platform_;
    std::vector<std::string> ports_;
    bool enumerated_ = false;
    DynamicLibrary library_;
    cl::hSerRef ref_ = nullptr;
    Api api_;
    std::string lastError_;
};

}  // namespace vr::link
