#pragma once
// One camera's part of a run over many: the start-up, the ID check, then the operation, on the
// camera's own session and thread. It stops between two commands once the run is stopped, and its
// report says how far it got.

#include <string>
#include <vector>

#include "fleet/CameraEntry.h"
#include "fleet/CameraReport.h"
#include "fleet/FleetRequest.h"
#include "settings/SettingsLines.h"

namespace vr::camera {
class CameraSession;
}

namespace vr::fleet {

class CameraPlatform;

class CameraJob {
public:
    CameraJob(camera::CameraSession& session, CameraPlatform& platform, const CameraEntry& entry,
              const FleetRequest& request);

    // Runs it to its end (or to the stop); the report of the camera.
    CameraReport Run();

private:
    // Each step: false when the camera's part ends here (the report says why).
    bool ReadFileFirst(std::vector<settings::SettingsFileLine>& lines);
    bool StartUp();
    void CheckId();
    bool ReadSettings();
    void Connect();
    void Info();
    void Dump();
    void Check(const std::vector<settings::SettingsFileLine>& golden);
    void Apply(const std::vector<settings::SettingsFileLine>& recipe);
    void Snapshot();

    // The worse of this status and the report's.
    void Fail(int status, const std::string& result);
    bool Stopped(const std::string& where);

    camera::CameraSession& session_;
    CameraPlatform& platform_;
    const CameraEntry& entry_;
    const FleetRequest& request_;
    CameraReport report_;
};

}  // namespace vr::fleet
