#include "ui/status/StatusTexts.h"

#include "camera/ModelCommands.h"
#include "dialogs/CommunicationDialog.h"
#include "link/CommSetting.h"
#include "protocol/OnlineStatus.h"
#include "ui/main/CtrlToolDlg.h"

namespace vr::ui {

StatusTexts DescribeStatus(CCtrlToolDlg& window) {
    camera::Services& services = window.Services();
    link::CCommSetting& link = services.link;
    StatusTexts t;
    const auto index = static_cast<int>(link.GetPortIndex());
    const uint32_t mode = link.GetMode();
    if (mode == link::ComPort) {
        t.port = link.GetPortDevice(index);
        if (t.port.empty()) t.port = "no port";
    } else if (mode < std::size(dialogs::comm::kCategoryItems)) {
        t.port = std::string(dialogs::comm::kCategoryItems[mode]) + ": " + link.GetPortName(index);
        // A port server's own name says which cabinet the camera is in.
        const std::string& signature = link.NetworkDriver().Signature();
        if (mode == link::Network && !signature.empty()) t.port += " (" + signature + ")";
    } else {
        t.port = "no port";
    }
    t.rate = link.IsOpen() ? std::to_string(link.GetBaudRate()) + " bit/s" : "closed";
    t.model = services.model.name.empty() ? "no camera" : services.model.name;
    const uint32_t area = window.CurrentArea();
    t.area = window.AreaKnown() && area < std::size(dialogs::comm::kAreaItems) ? dialogs::comm::kAreaItems[area]
                                                                               : "area unknown";
    t.mode = window.FactoryMode() ? "Factory mode" : "User mode";
    t.online = services.status.IsOnline();
    t.line = t.online ? "Online" : "Offline";
    return t;
}

}  // namespace vr::ui
