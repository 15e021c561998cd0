#pragma once
// Writing the camera's model identity ("MD00") from the "Factory A" page's model list, and reading
// it back with the main window's model probe.

#include <chrono>

namespace vr::app {
struct Services;
}
namespace vr::ui {
class CCtrlToolDlg;
}

namespace vr::settings {

class ModelIdentity {
public:
    // The name goes into the camera's non-volatile memory.
    static constexpr std::chrono::milliseconds kWriteTimeout{10000};
    static constexpr const char* kFailedText = "Failed writting camera model id.";
    static constexpr const char* kSucceededText = "Succeeded in writting camera model id.";

    ModelIdentity(app::Services& services, ui::CCtrlToolDlg& window) : services_(services), window_(window) {}

    // The model name of an index of the model list: 0 "VR-8200-KB", 1 "VR-8200-KA"; nullptr for any
    // other index (no selection).
    static const char* ModelName(int index);

    // "MD00" with the model of the list index, then the model probe; tells the operator either way.
    // 1 when the camera took the name.
    int WriteModel(int index);

private:
    app::Services& services_;
    ui::CCtrlToolDlg& window_;
};

}  // namespace vr::settings
