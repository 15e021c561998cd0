// The identity texts: which user IDs may be written, and that what may be written is read back as
// written (the camera's answer is read by the engine's own parser; it trims the text's ends and
// ends it at a comma, so a comma is refused); the camera ID's fields; the device version's split and
// join.

#include <algorithm>

#include "FuzzCheck.h"
#include "identity/CameraId.h"
#include "identity/Characters.h"
#include "identity/DeviceVersion.h"
#include "identity/UserId.h"
#include "protocol/Command.h"

namespace {

using vr::identity::UserId;

std::string TrimBlanks(const std::string& text) {
    const size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

// How the tool reads the camera's answer "NAME=text".
std::string ReadBack(const std::string& name, const std::string& text) {
    return vr::protocol::Command::ParseReply(name + "=" + text).value.textValue;
}

size_t Characters(std::string_view text) {
    size_t n = 0;
    while (!text.empty()) {
        text.remove_prefix(vr::identity::FirstCharacter(text).size());
        ++n;
    }
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(vr::fuzz::AsText(data, size));

    const UserId::Verdict verdict = UserId::Check(text);
    const bool control = vr::fuzz::HasControlCharacter(text);
    const bool comma = text.find(',') != std::string::npos;
    if (text.size() > UserId::kMaxLength)
        FUZZ_CHECK(verdict == UserId::Verdict::TooLong);
    else if (control)
        FUZZ_CHECK(verdict == UserId::Verdict::NotSendable);
    else if (comma)
        FUZZ_CHECK(verdict == UserId::Verdict::Comma);
    else
        FUZZ_CHECK(verdict == UserId::Verdict::Ok);
    // What may be written comes back as written, but for blanks at its ends.
    if (verdict == UserId::Verdict::Ok) FUZZ_CHECK(ReadBack("UD", text) == TrimBlanks(text));

    // The camera ID: a character a field, the first ten kept, nothing else added or lost.
    const std::string id = vr::identity::CameraId::FromFields(vr::identity::CameraId::ToFields(text));
    FUZZ_CHECK(text.starts_with(id));
    if (Characters(text) <= vr::identity::CameraId::kLength) FUZZ_CHECK(id == text);

    // The device version: four fields exactly when the text has three dots, and they make it again.
    const auto fields = vr::identity::SplitDeviceVersion(text);
    FUZZ_CHECK(fields.has_value() == (std::count(text.begin(), text.end(), '.') == 3));
    if (fields) {
        FUZZ_CHECK((*fields)[0] + "." + (*fields)[1] + "." + (*fields)[2] + "." + (*fields)[3] == text);
        const std::string joined = vr::identity::JoinDeviceVersion(*fields);
        const auto again = vr::identity::SplitDeviceVersion(joined);
        FUZZ_CHECK(again.has_value());
        for (size_t i = 0; i < 4; ++i) FUZZ_CHECK((*again)[i] == vr::identity::FirstCharacter((*fields)[i]));
        // A version the tool would write reads back as the same four fields.
        if (!vr::fuzz::HasControlCharacter(joined) && joined.find(',') == std::string::npos &&
            joined == TrimBlanks(joined))
            FUZZ_CHECK(vr::identity::SplitDeviceVersion(ReadBack("DV", joined)) == again);
    }
    return 0;
}
