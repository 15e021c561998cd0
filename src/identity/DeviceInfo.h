#pragma once
// What the camera says about itself: firmware and FPGA versions, model, camera ID, user ID and device
// version, asked in the order the device information dialog shows them; and the device version write.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace vr::camera {
struct Services;
}

namespace vr::identity {

// A field is empty when the camera did not give it.
struct DeviceIdentity {
    std::optional<std::string> firmware;       // "VN"
    std::optional<std::string> model;          // the model the model probe identified
    std::optional<std::string> cameraId;       // "ID"
    std::optional<std::string> fpga;           // "FPVN"
    std::optional<std::string> userId;         // "UD"
    std::optional<std::string> deviceVersion;  // "DV", as the camera gave it
};

class DeviceInfo {
public:
    static constexpr std::chrono::milliseconds kQueryTimeout{5000};
    static constexpr std::chrono::milliseconds kWriteTimeout{10000};

    static constexpr const char* kWriteFailedText = "Couldn't write the Device Version.";
    static constexpr const char* kWrittenText = "Writing the Device Version has been completed.";
    static constexpr const char* kNotSendableText = "The device version must not contain control characters.";
    static constexpr const char* kCommaText =
        "The device version must not contain a comma: the camera's answer would end the version there.";

    explicit DeviceInfo(camera::Services& services) : services_(services) {}

    // "VN" first; only a camera that answered it is asked the rest ("ID", "FPVN", "UD", "DV"), and
    // only then is the model named. Each failed query leaves its field empty and, when `failures` is
    // given, adds the engine's account of it there.
    DeviceIdentity Read(std::vector<std::string>* failures = nullptr);

    // "DV00" with the text, telling the operator how it went; a text with a control character is
    // refused before anything is sent. 1 when the camera took it.
    int WriteDeviceVersion(const std::string& text);

private:
    std::optional<std::string> Query(uint32_t cmdId, std::vector<std::string>* failures);

    camera::Services& services_;
};

}  // namespace vr::identity
