#include "app/SessionOnLink.h"

#include "link/NetworkAddress.h"

namespace vr::app {

SessionOnLink::SessionOnLink(platform::IPlatform& platform) : core_(platform, platform::CRegistry::kNoStore) {
    core_.link.SetSaveOnExit(false);
}

SessionOnLink::~SessionOnLink() {
    core_.line.Close();
    core_.link.Close();
}

bool SessionOnLink::Choose(uint32_t mode, const std::string& port, uint32_t portIndex, std::string& why) {
    link::CCommSetting& link = core_.link;
    if (mode == link::Network) {
        link::NetworkAddress address;
        if (!link::NetworkAddress::Parse(port, address, why)) return false;
        link.SetMode(link::Network);
        link.SetNetworkAddress(port);
        link.SetPortIndex(0);
        return true;
    }
    if (mode == link::ComPort) {
        link.SetMode(link::ComPort);
        const int index = link.AddDevicePath(port);
        if (index < 0) {
            why = "no such port: " + port;
            return false;
        }
        link.SetPortIndex(static_cast<uint32_t>(index));
        return true;
    }
    link.SetMode(mode);
    link.SetPortIndex(portIndex);
    return true;
}

}  // namespace vr::app
