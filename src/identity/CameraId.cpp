#include "identity/CameraId.h"

#include <algorithm>
#include <string_view>

#include "camera/Services.h"
#include "identity/Characters.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "protocol/TextValue.h"

namespace vr::identity {

std::string CameraId::CompletedText(const std::string& id) {
    return "Completed saving camera id: " + id + ".";
}

CameraId::Fields CameraId::ToFields(const std::string& id) {
    Fields fields;
    std::string_view rest = id;
    for (std::string& field : fields) {
        field = FirstCharacter(rest);
        rest.remove_prefix(field.size());
    }
    return fields;
}

std::string CameraId::FromFields(const Fields& fields) {
    std::string id;
    for (const std::string& field : fields) id += FirstCharacter(field);
    return id;
}

size_t CameraId::Spread(Fields& fields, size_t at, const std::string& text) {
    std::string_view rest = text;
    size_t field = at;
    while (field < kLength && !rest.empty()) {
        fields[field] = FirstCharacter(rest);
        rest.remove_prefix(fields[field].size());
        ++field;
    }
    return std::min(field, kLength - 1);
}

int CameraId::Query(std::string& id) {
    return services_.engine.QueryString(protocol::cmd::ID, id, kTimeout);
}

int CameraId::Save(const std::string& id) {
    platform::IPlatform& platform = services_.platform;
    if (!protocol::IsSendableText(id) || !protocol::ReadsBackWhole(id)) {
        platform.MessageBox(protocol::IsSendableText(id) ? kCommaText : kNotSendableText, platform::kAppTitle,
                            platform::MsgIcon::Error);
        return 0;
    }
    protocol::Command& engine = services_.engine;
    if (engine.SendCommandInt(protocol::cmd::ULCK, kUnlockKey, kTimeout) != 1) {
        platform.MessageBox(kUnlockFailedText, platform::kAppTitle, platform::MsgIcon::Error);
        return 0;
    }
    if (engine.SendCommandString(protocol::cmd::ID00, id, kTimeout) != 1) {
        platform.MessageBox(kWriteFailedText, platform::kAppTitle, platform::MsgIcon::Error);
        return 0;
    }
    platform.MessageBox(CompletedText(id), platform::kAppTitle, platform::MsgIcon::Information);
    return 1;
}

}  // namespace vr::identity
