#include "link/ClSerialVer11.h"

#include "link/ClLibraryPaths.h"
#include "link/ClPortCalls.h"

namespace vr::link {

bool CClSerialVer11::LoadInto(DynamicLibrary& library, Api& api) {
    api = Api{};
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
    Api api;
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
    return static_cast<int>(ports_.size());
}

std::string CClSerialVer11::GetPortName(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= ports_.size()) return {};
    return ports_[static_cast<size_t>(index)];
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
    cl::hSerRef ref = nullptr;
    const cl::CLINT32 status = api_.clSerialInit(portIndex, &ref);
    if (status != cl::kErrNone || ref == nullptr) {
        lastError_ = "clSerialInit(" + std::to_string(portIndex) + ") returned " + std::to_string(status);
        return 0;
    }
    ref_ = ref;
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

int CClSerialVer11::Write(const char* bytes, uint32_t count, uint32_t timeoutMs) {
    return cl::WritePort(api_.clSerialWrite, ref_, bytes, count, timeoutMs);
}

int CClSerialVer11::Read(char* buffer, uint32_t count, uint32_t timeoutMs) {
    return cl::ReadPort(api_.clSerialRead, ref_, buffer, count, timeoutMs);
}

void CClSerialVer11::Close() {
    if (ref_ != nullptr) {
        api_.clSerialClose(ref_);
        ref_ = nullptr;
    }
    Unload();
}

void CClSerialVer11::Unload() {
    library_.Close();
    api_ = Api{};
}

}  // namespace vr::link
