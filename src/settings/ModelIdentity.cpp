#include "settings/ModelIdentity.h"

#include "app/Platform.h"
#include "app/Services.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "settings/ModelCommands.h"
#include "ui/main/CtrlToolDlg.h"

namespace vr::settings {

const char* ModelIdentity::ModelName(int index) {
    switch (index) {
        case 0:
            return kModelNameKB;
        case 1:
            return kModelNameKA;
        default:
            return nullptr;
    }
}

int ModelIdentity::WriteModel(int index) {
    app::IPlatform& platform = services_.platform;
    const char* name = ModelName(index);
    if (name == nullptr || services_.engine.SendCommandString(protocol::cmd::MD00, name, kWriteTimeout) != 1) {
        platform.MessageBox(kFailedText, app::kAppTitle, app::MsgIcon::Error);
        return 0;
    }
    window_.ModelProbe();
    platform.MessageBox(kSucceededText, app::kAppTitle, app::MsgIcon::Information);
    return 1;
}

}  // namespace vr::settings
