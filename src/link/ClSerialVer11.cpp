#include "link/ClSerialVer11.h"

#include "link/ClLibraryPaths.h"
#include "link/ClPortCalls.h"

namespace vr::link {

bool CClSerialVer11::LoadInto(DynamicLibrary& library, ClApiVer11& api) {
    api = ClApiVer11{};
    return library.Open(ClVer11LibraryName()) && library.Resolve("clSerialInit", api.clSerialInit) &&
           library.Resolve("clSerialClose", api.clSerialClose) && library.Resolve("clSetBaudRate", api.clSetBaudRate) &&
           library.Resolve("clSerialRead", api.clSerialRead) && library.Resolve("clSerialWrite", api.clSerialWrite) &&
           library.Resolve("clFlushPort", api.clFlushPort) && library.Resolve("clGetErrorText", api.clGetErrorText) &&
           library.Resolve("clGetNumPorts", api.clGetNumPorts) &&
           library.Resolve("clGetNumBytesAvail", api.clGetNumBytesAvail) &&
           library.Resolve("clGetPortInfo", api.clGetPortInfo) &&
           library.Resolve("clGetSupportedBaudRates", api.clGetSupportedBaudRates);
}

void CClSerialVer11::Enumerate() {
    enumerated_ = true;
    ports_.clear();
    DynamicLibrary library;
    ClApiVer11 api;
    if (!LoadInto(library, api)) {
        lastError_ = library.Error();
        return;
    }
    cl::CLUINT32 count = 0;
    (void)api.clGetNumPorts(&count);
    if (count > cl::kMaxListEntries) count = cl::kMaxListEntries;
    for (cl::CLUINT32 i = 0; i < count; ++i) {
        cl::CLINT8 maker[cl::kNameBufferSize] = {};
        cl::CLINT8 id[cl::kNameBufferSize] = {};
        cl::CLUINT32 makerSize = cl::kNameBufferSize;
        cl::CLUINT32 idSize = cl::kNameBufferSize;
        cl::CLUINT32 version = 0;
        (void)api.clGetPortInfo(i, maker, &makerSize, id, &idSize, &version);
        ports_.push_back(cl::TextFromBuffer(maker, cl::kNameBufferSize) + " - " +
                         cl::TextFromBuffer(id, cl::kNameBufferSize));
    }
}

int CClSerialVer11::GetPortCount() {
    Enumerate();
    return PortCount();
}

int CClSerialVer11::Load() {
    Unload();
    const bool ok = LoadInto(library_, api_);
    lastError_ = ok ? std::string() : library_.Error();
    return ok ? 1 : 0;
}

int CClSerialVer11::Init(uint32_t portIndex) {
    Close();
    if (!Load()) return 0;
    if (!OpenReference(portIndex)) return 0;
    openIndex_ = portIndex;
    return 1;
}

int CClSerialVer11::SetBaudRate(uint32_t rate) {
    if (ref_ == nullptr) return 0;
    // The message names the port the rate was refused on; without a listed name it says no more
    // than the other generations do.
    if (!enumerated_) Enumerate();
    const std::string port = GetPortName(static_cast<int>(openIndex_));
    const std::string refused =
        port.empty() ? std::string(cl::kRateRefused) : "Selected baud rate is not supported in " + port + ".";
    return cl::SetPortRate(platform_, api_.clGetSupportedBaudRates, api_.clSetBaudRate, ref_, rate, refused);
}

bool CClSerialVer11::SupportsRate(uint32_t rate) const {
    return cl::RateSupported(api_.clGetSupportedBaudRates, ref_, rate);
}

}  // namespace vr::link
