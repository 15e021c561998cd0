#pragma once
// What one camera of many did: one row of the report, the same for the command line's table, its
// JSON document and the desktop tool's overview.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vr::fleet {

// A setting whose value differs between the golden file and the camera; a side without the setting
// (or a camera that did not answer it) has no value.
struct Difference {
    std::string name;
    std::optional<std::string> file;
    std::optional<std::string> camera;
};

// A camera's status, as vr8200ctl's exit statuses.
enum Status : int { kDone = 0, kCameraFailed = 1, kNoCamera = 3, kFileFailed = 4, kStopped = 130 };

struct CameraReport {
    std::string name;
    std::string link;
    // This camera's exit status, as vr8200ctl gives it for one camera: 0 done, 1 the camera refused,
    // did not answer, differs or is not the camera expected, 3 no link or no camera, 4 a file could not
    // be read or written, 130 stopped.
    int status = 0;
    bool Ok() const { return status == 0; }

    bool online = false;  // a camera answered the start-up
    std::string model;
    std::string cameraId;
    std::optional<uint32_t> area;
    uint32_t rate = 0;
    bool idMismatch = false;  // the camera ID is not the inventory's

    std::string result;                   // one line: "matches golden", "3 differences", "stopped ..."
    std::vector<Difference> differences;  // check
    std::vector<std::string> refused;     // apply: the lines the camera did not take
    std::vector<std::pair<std::string, std::string>> values;  // connect, info and dump
    std::string file;                   // the golden file compared, the recipe or the snapshot written
    std::vector<std::string> messages;  // what the camera's operations had to say
};

// The worst of the cameras' statuses: the exit status of a run over all of them.
int WorstStatus(const std::vector<CameraReport>& reports);

}  // namespace vr::fleet
