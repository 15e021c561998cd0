#include "link/ClSerial2000.h"

#include "app/Platform.h"
#include "link/ClLibraryPaths.h"
#include "link/ClPortCalls.h"

namespace vr::link {

void CClSerial2000::Enumerate() {
    // Only the folder is read; no library is loaded to list them.
    ports_ = FindCl2000Libraries(Cl2000Folder());
    enumerated_ = true;
}

int CClSerial2000::GetPortCount() {
    Enumerate();
    return static_cast<int>(ports_.size());
}

std::string CClSerial2000::GetPortName(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= ports_.size()) return {};
    return ports_[static_cast<size_t>(index)];
}

int CClSerial2000::Load(const std::string& fileName) {
    Unload();
    if (fileName.empty()) {
        lastError_ = "no Camera Link library at that index in " + Cl2000Folder();
        return 0;
    }
    // Entry points in table order; the first one missing ends the load (the library stays loaded
    // until Close or Unload).
    api_ = Api{};
    const bool ok =
        library_.Open(Cl2000Folder() + "/" + fileName) && library_.Resolve("clSerialInit", api_.clSerialInit) &&
        library_.Resolve("clSerialClose", api_.clSerialClose) && library_.Resolve("clSerialRead", api_.clSerialRead) &&
        library_.Resolve("clSerialWrite", api_.clSerialWrite);
    lastError_ = ok ? std::string() : library_.Error();
    return ok ? 1 : 0;
}

int CClSerial2000::Init(uint32_t portIndex) {
    Close();
    // Opened before anyone listed the ports (a start-up in this mode): list them now, or the
    // remembered index would find no file.
    if (!enumerated_) Enumerate();
    if (!Load(GetPortName(static_cast<int>(portIndex)))) return 0;
    cl::hSerRef ref = nullptr;
    const cl::CLINT32 status = api_.clSerialInit(portIndex, &ref);
    if (status != cl::kErrNone || ref == nullptr) {
        lastError_ = "clSerialInit(" + std::to_string(portIndex) + ") returned " + std::to_string(status);
        return 0;
    }
    ref_ = ref;
    return 1;
}

int CClSerial2000::SetBaudRate(uint32_t rate) {
    if (rate == 9600) return 1;
    platform_.MessageBox(cl::kRateRefused, app::kAppTitle, app::MsgIcon::Exclamation);
    return 0;
}

int CClSerial2000::Write(const char* bytes, uint32_t count, uint32_t timeoutMs) {
    return cl::WritePort(api_.clSerialWrite, ref_, bytes, count, timeoutMs);
}

int CClSerial2000::Read(char* buffer, uint32_t count, uint32_t timeoutMs) {
    return cl::ReadPort(api_.clSerialRead, ref_, buffer, count, timeoutMs);
}

void CClSerial2000::Close() {
    if (ref_ != nullptr) {
        api_.clSerialClose(ref_);
        ref_ = nullptr;
    }
    Unload();
}

void CClSerial2000::Unload() {
    library_.Close();
    api_ = Api{};
}

}  // namespace vr::link
