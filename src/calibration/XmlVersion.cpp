#include "calibration/XmlVersion.h"

#include <cctype>

#include "camera/CameraSession.h"
#include "camera/Services.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"

namespace vr::calibration {

XmlVersion::XmlVersion(camera::CameraSession& session, IVersionBoxes& boxes, const OnePushTiming& timing)
    : session_(session), boxes_(boxes), timing_(timing) {}

int32_t XmlVersion::VersionFromBoxes(const std::array<std::string, 3>& boxes) {
    std::string text;
    for (const auto& box : boxes)
        if (!box.empty()) text += box.front();
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int32_t value = 0;  // three characters at most: no overflow
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

std::array<std::string, 3> XmlVersion::BoxesFromVersion(int32_t version) {
    return {std::to_string(version / 100), std::to_string(version % 100 / 10), std::to_string(version % 10)};
}

bool XmlVersion::Write() {
    const int32_t version = VersionFromBoxes(boxes_.VersionTexts());
    camera::Services& services = session_.Services();
    const bool written = services.engine.SendCommandInt(protocol::cmd::XMLVR, version, timing_.xmlWrite) == 1;
    if (written)
        services.platform.MessageBox("Writing the XML Version has been completed.", platform::kAppTitle,
                                     platform::MsgIcon::Information);
    else
        services.platform.MessageBox("Couldn't write the XML Version.", platform::kAppTitle, platform::MsgIcon::Error);
    return written;
}

bool XmlVersion::Read(int32_t* version) {
    int32_t value = 0;
    if (session_.Services().engine.QueryInt(protocol::cmd::XMLVR, value, timing_.xmlRead) != 1) return false;
    boxes_.ShowVersionTexts(BoxesFromVersion(value));
    if (version != nullptr) *version = value;
    return true;
}

}  // namespace vr::calibration
