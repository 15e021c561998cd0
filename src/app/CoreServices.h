#pragma once
// The services every program of the tool builds the same way, in the order they depend on each
// other: the settings store first (it must outlive the link object and the control mode, which save
// into it when they go), then the tables, the link and the engine talking on it.

#include <string>

#include "camera/CameraSession.h"
#include "camera/ModelCommands.h"
#include "camera/Services.h"
#include "camera/WaitCancel.h"
#include "link/CommSetting.h"
#include "link/CommSettingLineControl.h"
#include "platform/ControlMode.h"
#include "platform/Registry.h"
#include "protocol/Command.h"
#include "protocol/OnlineStatus.h"
#include "protocol/ParameterTable.h"
#include "protocol/TrafficLog.h"

namespace vr::app {

class CoreServices {
public:
    // `configFolder` holds the settings store; `ports` is the machine's serial port list (tests give
    // their own); `shutdownValue` names the program's own clean-shutdown record in the store.
    CoreServices(platform::IPlatform& platform, const std::string& configFolder,
                 link::SerialPortList ports = link::SerialPortList(),
                 const std::string& shutdownValue = platform::kRegValues[platform::kRegShutdownStatus].name);
    CoreServices(const CoreServices&) = delete;
    CoreServices& operator=(const CoreServices&) = delete;

    camera::Services& Get() { return services_; }
    // The program's one camera, on the services above.
    camera::CameraSession& Session() { return session_; }

    platform::CRegistry registry;
    platform::ControlMode controlMode;
    protocol::TrafficLog traffic;
    protocol::OnlineStatusBroadcaster status;
    protocol::DialogRegistry dialogs;
    protocol::ParameterTable table;
    link::CCommSetting link;
    link::CommSettingLineControl line;
    protocol::Command engine;
    // The operator's Cancel of a long wait for the camera.
    camera::WaitCancel waitCancel;
    camera::CameraModel model;

private:
    camera::Services services_;
    camera::CameraSession session_;
};

}  // namespace vr::app
