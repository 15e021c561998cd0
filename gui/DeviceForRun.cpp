#include "DeviceForRun.h"

#include "link/CommSetting.h"
#include "link/NetworkAddress.h"

namespace vr::gui {

bool UseDeviceForRun(link::CCommSetting& setting, const std::string& device) {
    if (link::NetworkAddress::Names(device)) {
        setting.SetMode(link::Network);
        setting.SetNetworkAddress(device);
        setting.SetPortIndex(0);
        return true;
    }
    const int index = setting.AddDevicePath(device);
    if (index < 0) return false;
    // The link object stores a port only by opening it; the start-up opens it again at once.
    setting.Open(link::ComPort, link::kRates[0], static_cast<uint32_t>(index));
    setting.Close();
    return true;
}

}  // namespace vr::gui
