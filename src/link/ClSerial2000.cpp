#include "link/ClSerial2000.h"

#include "link/ClLibraryPaths.h"
#include "link/ClPortCalls.h"
#include "platform/Platform.h"

namespace vr::link {

void CClSerial2000::Enumerate() {
    // Only the folder is read; no library is loaded to list them.
    ports_ = FindCl2000Libraries(Cl2000Folder());
    enumerated_ = true;
}

int CClSerial2000::GetPortCount() {
    Enumerate();
    return PortCount();
}

int CClSerial2000::Load(const std::string& fileName) {
    Unload();
    if (fileName.empty()) {
        lastError_ = "no Camera Link library at that index in " + Cl2000Folder();
        return 0;
    }
    // Entry points in table order; the first one missing ends the load (the library stays loaded
    // until Close or Unload).
    api_ = ClApi2000{};
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
    return OpenReference(portIndex);
}

int CClSerial2000::SetBaudRate(uint32_t rate) {
    if (rate == 9600) return 1;
    platform_.MessageBox(cl::kRateRefused, platform::kAppTitle, platform::MsgIcon::Exclamation);
    return 0;
}

}  // namespace vr::link
