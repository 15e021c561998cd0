#pragma once
// The camera's user ID ("UD"): a free text of at most 64 bytes that the operator gives the camera. The rule for writing
// it is shared by the user ID editor and the device information dialog.

#include <chrono>
#include <string>
#include <string_view>

namespace vr::camera {
struct Services;
}

namespace vr::identity {

class UserId {
public:
    static constexpr std::chrono::milliseconds kTimeout{5000};
    // The camera keeps 64 bytes; its texts are ASCII, where a byte is a character.
    static constexpr size_t kMaxLength = 64;
    // What the editor shows when the camera did not say.
    static constexpr const char* kUnknown = "????????????????";

    // The editors' message, and what the limit counts: bytes, as the camera keeps them.
    static constexpr const char* kTooLongMessage =
        "User ID string is too long !!\nAt most 64 bytes; a character outside ASCII takes two or more.";
    static constexpr const char* kNotSendableText = "The user ID must not contain control characters.";
    static constexpr const char* kCommaText =
        "The user ID must not contain a comma: the camera's answer would end the ID there.";
    static constexpr const char* kWriteFailedText = "Couldn't write the User ID.";

    enum class Verdict { Ok, TooLong, NotSendable, Comma };
    // Whether the text may be written; nothing is sent for any other verdict.
    static Verdict Check(std::string_view text);
    // The message of a verdict other than Ok.
    static const char* VerdictText(Verdict verdict);
    static std::string CompletedText(const std::string& text);

    explicit UserId(camera::Services& services) : services_(services) {}

    // "UD": 1 and the text when the camera answered.
    int Query(std::string& text);
    // The rule: a text that may not be written is refused with its message and nothing is sent;
    // otherwise it goes out as "UD" and the operator is told how that went. 1 when the camera took it.
    int Save(const std::string& text);

private:
    camera::Services& services_;
};

}  // namespace vr::identity
