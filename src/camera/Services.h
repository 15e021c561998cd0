#pragma once
// The services of one camera session: built by a composition root (the desktop tool's, the
// command-line tool's or a test's) and handed by reference to whatever needs them. Nothing below
// looks a service up on its own.

namespace vr::protocol {
class TrafficLog;
class OnlineStatusBroadcaster;
class DialogRegistry;
class ParameterTable;
class Command;
}  // namespace vr::protocol
namespace vr::link {
class CCommSetting;
class ILineControl;
}  // namespace vr::link

namespace vr::platform {
class IPlatform;
class CRegistry;
class ControlMode;
}  // namespace vr::platform

namespace vr::camera {

struct CameraModel;
class IProgressSink;

// The program's (platform, store, control mode, dialog registry) and the camera's own (traffic log,
// status, table, engine, link, model record).
struct Services {
    platform::IPlatform& platform;
    platform::CRegistry& registry;
    platform::ControlMode& controlMode;
    protocol::TrafficLog& traffic;
    protocol::OnlineStatusBroadcaster& status;
    protocol::DialogRegistry& dialogs;
    protocol::ParameterTable& table;
    protocol::Command& engine;
    link::CCommSetting& link;  // the link object: modes, ports, the line itself
    link::ILineControl& line;  // what the windows do with the link beyond commands
    camera::CameraModel& model;
    // Told the progress of every long operation on this camera; set by the camera's session.
    camera::IProgressSink* progress = nullptr;
};

}  // namespace vr::camera
