#include "link/ClSerial2001.h"

#include "link/ClLibraryPaths.h"
#include "link/ClPortCalls.h"

namespace vr::link {

bool CClSerial2001::LoadInto(DynamicLibrary& library, ClApi2001& api) {
    api = ClApi2001{};
    return library.Open(Cl2001LibraryName()) && library.Resolve("clGetManufacturer", api.clGetManufacturer) &&
           library.Resolve("clGetNumManufacturers", api.clGetNumManufacturers) &&
           library.Resolve("clSelectManufacturer", api.clSelectManufacturer) &&
           library.Resolve("clGetNumSerialPorts", api.clGetNumSerialPorts) &&
           library.Resolve("clGetSerialPortIdentifier", api.clGetSerialPortIdentifier) &&
           library.Resolve("clSerialInit", api.clSerialInit) && library.Resolve("clSerialClose", api.clSerialClose) &&
           library.Resolve("clSerialRead", api.clSerialRead) && library.Resolve("clSerialWrite", api.clSerialWrite) &&
           library.Resolve("clGetSupportedBaudRates", api.clGetSupportedBaudRates) &&
           library.Resolve("clSetBaudRate", api.clSetBaudRate) && library.Resolve("clGetErrorText", api.clGetErrorText);
}

void CClSerial2001::Enumerate() {
    // A load of its own: a port open meanwhile keeps its library and entry points.
    DynamicLibrary library;
    ClApi2001 api;
    if (!LoadInto(library, api)) {
        lastError_ = library.Error();
        return;
    }
    enumerated_ = true;
    ports_.clear();
    cl::CLUINT32 count = 0;
    (void)api.clGetNumManufacturers(&count);
    if (count > cl::kMaxListEntries) count = cl::kMaxListEntries;
    for (cl::CLUINT32 i = 0; i < count; ++i) {
        cl::CLINT8 name[cl::kNameBufferSize] = {};
        cl::CLUINT32 size = cl::kNameBufferSize;
        cl::CLUINT32 version = 0;
        (void)api.clGetManufacturer(i, name, &size, &version);
        ports_.push_back(cl::TextFromBuffer(name, cl::kNameBufferSize));
    }
}

int CClSerial2001::GetPortCount() {
    Enumerate();
    return PortCount();
}

int CClSerial2001::Load() {
    Unload();
    const bool ok = LoadInto(library_, api_);
    lastError_ = ok ? std::string() : library_.Error();
    return ok ? 1 : 0;
}

int CClSerial2001::Init(uint32_t portIndex) {
    Close();
    if (!enumerated_) Enumerate();
    if (!Load()) return 0;
    const std::string maker = GetPortName(static_cast<int>(portIndex));
    cl::CLINT32 status = api_.clSelectManufacturer(maker.c_str());
    if (status != cl::kErrNone) {
        lastError_ = "clSelectManufacturer(\"" + maker + "\") returned " + std::to_string(status);
        return 0;
    }
    return OpenReference(portIndex);
}

int CClSerial2001::SetBaudRate(uint32_t rate) {
    return cl::SetPortRate(platform_, api_.clGetSupportedBaudRates, api_.clSetBaudRate, ref_, rate, cl::kRateRefused);
}

bool CClSerial2001::SupportsRate(uint32_t rate) const {
    return cl::RateSupported(api_.clGetSupportedBaudRates, ref_, rate);
}

}  // namespace vr::link
