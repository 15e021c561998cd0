#pragma once
// The camera ID ("ID"): ten characters that production gives each camera. The camera takes a new one
// ("ID00") only right after the unlock command "ULCK" with its key.

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

namespace vr::camera {
struct Services;
}

namespace vr::identity {

class CameraId {
public:
    static constexpr std::chrono::milliseconds kTimeout{5000};
    static constexpr int32_t kUnlockKey = 6182057;
    static constexpr size_t kLength = 10;
    using Fields = std::array<std::string, kLength>;

    static constexpr const char* kUnlockFailedText = "Couldn't save camera id.";
    static constexpr const char* kWriteFailedText = "Couldn't save the camera id.";
    static constexpr const char* kNotSendableText = "The camera id must not contain control characters.";
    static constexpr const char* kCommaText =
        "The camera id must not contain a comma: the camera's answer would end the id there.";
    static std::string CompletedText(const std::string& id);

    // One character of the ID per field; fields beyond its end are empty, characters beyond the tenth
    // have no field.
    static Fields ToFields(const std::string& id);
    // The first character of each field in order; an empty field adds nothing, so the ID may come out
    // shorter than ten characters.
    static std::string FromFields(const Fields& fields);
    // `text` typed or pasted into field `at`: its characters go into that field and the ones after
    // it, one each; what would go past the last field is dropped. Returns the field the cursor goes
    // to next: the one after the last filled (the last field when the text reached it).
    static size_t Spread(Fields& fields, size_t at, const std::string& text);

    explicit CameraId(camera::Services& services) : services_(services) {}

    // "ID": 1 and the ID when the camera answered.
    int Query(std::string& id);
    // Unlocks the camera's ID and writes the new one, telling the operator how it went. A text with a
    // control character is refused before anything is sent; a failed unlock sends no ID. 1 when the
    // camera took the new ID.
    int Save(const std::string& id);

private:
    camera::Services& services_;
};

}  // namespace vr::identity
