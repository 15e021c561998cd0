#pragma once
// The services every program of the tool builds the same way, in the order they depend on each
// other: the settings store first (it must outlive the link object and the control mode, which save
// into it when they go), then the tables, the link and the engine talking on it.

#include <string>

#include "app/ControlMode.h"
#include "app/Registry.h"
#include "app/Services.h"
#include "app/WaitCancel.h"
#include "link/CommSetting.h"
#include "link/CommSettingLineControl.h"
#include "protocol/Command.h"
#include "protocol/OnlineStatus.h"
#include "protocol/ParameterTable.h"
#include "protocol/TrafficLog.h"
#include "settings/ModelCommands.h"

namespace vr::app {

class CoreServices {
public:
    // `configFolder` holds the settings store; `ports` is the machine's serial port list (tests give
    // their own); `shutdownValue` names the program's own clean-shutdown record in the store.
    CoreServices(IPlatform& platform, const std::string& configFolder,
                 link::SerialPortList ports = link::SerialPortList(),
                 const std::string& shutdownValue = kRegValues[kRegShutdownStatus].name);
    CoreServices(const CoreServices&) = delete;
    CoreServices& operator=(const CoreServices&) = delete;

    Services& Get() { return services_; }

    CRegistry registry;
    ControlMode controlMode;
    protocol::TrafficLog traffic;
    protocol::OnlineStatusBroadcaster status;
    protocol::DialogRegistry dialogs;
    protocol::ParameterTable table;
    link::CCommSetting link;
    link::CommSettingLineControl line;
    protocol::Command engine;
    // The operator's Cancel of a long wait for the camera.
    WaitCancel waitCancel;
    settings::CameraModel model;

private:
    Services services_;
};

}  // namespace vr::app
