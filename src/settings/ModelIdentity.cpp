#include "settings/ModelIdentity.h"

#include "app/Services.h"
#include "camera/ModelCommands.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "ui/main/CtrlToolDlg.h"

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
    platform::IPlatform& platform = services_.platform;
    const char* name = ModelName(index);
    if (name == nullptr || services_.engine.SendCommandString(protocol::cmd::MD00, name, kWriteTimeout) != 1) {
        platform.MessageBox(kFailedText, platform::kAppTitle, platform::MsgIcon::Error);
        return 0;
    }
    window_.ModelProbe();
    platform.MessageBox(kSucceededText, platform::kAppTitle, platform::MsgIcon::Information);
    return 1;
}

}  // namespace vr::settings
