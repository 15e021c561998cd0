#include "identity/UserIdDialog.h"

#include <string>

#include "camera/Services.h"
#include "identity/IdentityIds.h"
#include "identity/UserId.h"
#include "protocol/CommandIds.h"

namespace vr::identity {

using namespace userid;

CUserIdDialog::CUserIdDialog(camera::Services& services, platform::IControlAccess& controls,
                             platform::IDialogFrame& frame)
    : services_(services), controls_(controls), frame_(frame) {}

CUserIdDialog::~CUserIdDialog() {
    services_.status.Unregister(this);
    services_.dialogs.Remove(this);
}

void CUserIdDialog::SetStripPicture(int32_t picture) {
    controls_.SetPicture(kStrip, picture);
}

void CUserIdDialog::OnInitDialog() {
    initialised_ = true;
    services_.status.Register(this);
    services_.dialogs.Add(this);
    std::string text;
    controls_.SetText(kEdit, UserId(services_).Query(text) == 1 ? text : UserId::kUnknown);
}

camera::TextWrite CUserIdDialog::OnSave() {
    const std::string text = controls_.GetText(kEdit);
    const bool saved = UserId(services_).Save(text) == 1;
    return {protocol::cmd::UD, text, saved};
}

}  // namespace vr::identity
