#pragma once
// What the main window's status bar says: where the tool talks to the camera (port and rate), which
// camera answered, the memory area it works in, the control mode and whether the camera answers.
// Worked out from the services and the main window's logic alone, so it reads nothing from the line.

#include <string>

namespace vr::ui {

class CCtrlToolDlg;

struct StatusTexts {
    std::string port;   // the device path, or the Camera Link library's port name
    std::string rate;   // "115200 bit/s", or "closed" while no link is open
    std::string model;  // the camera's model name, or "no camera" before one answered
    std::string area;   // "User 1 Data" and so on, or "area unknown" before the camera said
    std::string mode;   // "User mode" or "Factory mode"
    std::string line;   // "Online" or "Offline"
    bool online = false;

    bool operator==(const StatusTexts&) const = default;
};

StatusTexts DescribeStatus(CCtrlToolDlg& window);

}  // namespace vr::ui
