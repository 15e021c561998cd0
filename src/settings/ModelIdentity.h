#pragma once
// Writing the camera's model identity ("MD00") from the "Factory A" page's model list, and reading
// it back with the session's model probe.

#include <chrono>

namespace vr::camera {
class CameraSession;
}

namespace vr::settings {

class ModelIdentity {
public:
    // The name goes into the camera's non-volatile memory.
    static constexpr std::chrono::milliseconds kWriteTimeout{10000};
    static constexpr const char* kFailedText = "Failed writting camera model id.";
    static constexpr const char* kSucceededText = "Succeeded in writting camera model id.";

    explicit ModelIdentity(camera::CameraSession& session) : session_(session) {}

    // The model name of an index of the model list: 0 "VR-8200-KB", 1 "VR-8200-KA"; nullptr for any
    // other index (no selection).
    static const char* ModelName(int index);

    // "MD00" with the model of the list index, then the model probe; tells the operator either way.
    // 1 when the camera took the name.
    int WriteModel(int index);

private:
    camera::CameraSession& session_;
};

}  // namespace vr::settings
