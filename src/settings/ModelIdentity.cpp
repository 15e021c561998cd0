#include "settings/ModelIdentity.h"

#include "camera/CameraSession.h"
#include "camera/ModelCommands.h"
#include "camera/Services.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"

namespace vr::settings {

const char* ModelIdentity::ModelName(int index) {
    switch (index) {
        case 0:
            return camera::kModelNameKB;
        case 1:
            return camera::kModelNameKA;
        default:
            return nullptr;
    }
}

int ModelIdentity::WriteModel(int index) {
    camera::Services& services = session_.Services();
    platform::IPlatform& platform = services.platform;
    const char* name = ModelName(index);
    if (name == nullptr || services.engine.SendCommandString(protocol::cmd::MD00, name, kWriteTimeout) != 1) {
        platform.MessageBox(kFailedText, platform::kAppTitle, platform::MsgIcon::Error);
        return 0;
    }
    session_.ModelProbe();
    platform.MessageBox(kSucceededText, platform::kAppTitle, platform::MsgIcon::Information);
    return 1;
}

}  // namespace vr::settings
