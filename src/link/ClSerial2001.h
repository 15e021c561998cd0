#pragma once
// Communication mode 2, "Camera Link spec. 2001": one library (libclserial.so) serving several
// frame-grabber makers; the list holds the makers' names and opening a port selects the maker.

#include <cstdint>
#include <string>

#include "link/ClLibrary.h"

namespace vr::link {

struct ClApi2001 {
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

class CClSerial2001 final : public ClLibrary<ClApi2001> {
public:
    explicit CClSerial2001(platform::IPlatform& platform) : ClLibrary(platform) {}

    // Rebuilds the list with a load of its own; when the library cannot be loaded the previous
    // list stays.
    void Enumerate();
    int GetPortCount();

    int Load();
    int Init(uint32_t portIndex);
    int SetBaudRate(uint32_t rate);

    bool SupportsRate(uint32_t rate) const;

private:
    static bool LoadInto(DynamicLibrary& library, ClApi2001& api);
};

}  // namespace vr::link
