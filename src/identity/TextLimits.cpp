#include "identity/TextLimits.h"

#include <algorithm>

#include "identity/CameraId.h"
#include "identity/Characters.h"
#include "identity/DeviceVersion.h"
#include "identity/UserId.h"
#include "protocol/CommandIds.h"
#include "protocol/TextValue.h"

namespace vr::identity {
namespace {

// The camera's answer ends a text at its first comma: a text with one could not be read back whole.
std::string NoComma(const std::string& what) {
    return what + " must not hold a comma (the camera's answer would end it there)";
}

}  // namespace

std::string TextLimitProblem(uint32_t cmdId, std::string_view text) {
    switch (cmdId) {
        case protocol::cmd::UD: {
            const UserId::Verdict verdict = UserId::Check(text);
            if (verdict == UserId::Verdict::Ok) return {};
            // One line: the editors' message spans two.
            std::string why = UserId::VerdictText(verdict);
            std::replace(why.begin(), why.end(), '\n', ' ');
            return why;
        }
        case protocol::cmd::ID00:
            if (text.empty() || text.size() > CameraId::kLength)
                return "a camera ID has 1 to " + std::to_string(CameraId::kLength) + " characters, not " +
                       std::to_string(text.size());
            if (!protocol::ReadsBackWhole(text)) return NoComma("a camera ID");
            return {};
        case protocol::cmd::DV00: {
            const auto fields = SplitDeviceVersion(text);
            bool wellFormed = fields.has_value();
            if (fields)
                for (const std::string& field : *fields)
                    wellFormed = wellFormed && !field.empty() && FirstCharacter(field) == field;
            if (!wellFormed) return "a device version is four fields of one character each (A.B.C.D)";
            return protocol::ReadsBackWhole(text) ? std::string() : NoComma("a device version");
        }
        default:
            return {};
    }
}

}  // namespace vr::identity
