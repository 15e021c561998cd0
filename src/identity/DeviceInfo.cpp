#include "identity/DeviceInfo.h"

#include "camera/ModelCommands.h"
#include "camera/Services.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "protocol/TextValue.h"

namespace vr::identity {

std::optional<std::string> DeviceInfo::Query(uint32_t cmdId, std::vector<std::string>* failures) {
    std::string text;
    if (services_.engine.QueryString(cmdId, text, kQueryTimeout) == 1) return text;
    if (failures != nullptr) failures->push_back(services_.engine.LastFailure().Describe());
    return std::nullopt;
}

DeviceIdentity DeviceInfo::Read(std::vector<std::string>* failures) {
    DeviceIdentity identity;
    identity.firmware = Query(protocol::cmd::VN, failures);
    if (!identity.firmware) return identity;
    const camera::CameraModel& model = services_.model;
    // Only a model the probe recognised; an unsupported answer stays unnamed here.
    if (model.kind == camera::kModelKA || model.kind == camera::kModelKB) identity.model = model.name;
    identity.cameraId = Query(protocol::cmd::ID, failures);
    identity.fpga = Query(protocol::cmd::FPVN, failures);
    identity.userId = Query(protocol::cmd::UD, failures);
    identity.deviceVersion = Query(protocol::cmd::DV, failures);
    return identity;
}

int DeviceInfo::WriteDeviceVersion(const std::string& text) {
    platform::IPlatform& platform = services_.platform;
    if (!protocol::IsSendableText(text) || !protocol::ReadsBackWhole(text)) {
        platform.MessageBox(protocol::IsSendableText(text) ? kCommaText : kNotSendableText, platform::kAppTitle,
                            platform::MsgIcon::Error);
        return 0;
    }
    if (services_.engine.SendCommandString(protocol::cmd::DV00, text, kWriteTimeout) != 1) {
        platform.MessageBox(kWriteFailedText, platform::kAppTitle, platform::MsgIcon::Error);
        return 0;
    }
    platform.MessageBox(kWrittenText, platform::kAppTitle, platform::MsgIcon::Information);
    return 1;
}

}  // namespace vr::identity
