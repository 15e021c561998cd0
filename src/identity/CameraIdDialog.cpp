#include "identity/CameraIdDialog.h"

#include "camera/Services.h"
#include "identity/CameraId.h"
#include "identity/IdentityIds.h"
#include "protocol/CommandIds.h"

namespace vr::identity {

using namespace cameraid;

CCameraIdDialog::CCameraIdDialog(camera::Services& services, platform::IControlAccess& controls,
                                 platform::IDialogFrame& frame, bool factoryMode)
    : services_(services), controls_(controls), frame_(frame), factoryMode_(factoryMode) {}

CCameraIdDialog::~CCameraIdDialog() {
    services_.status.Unregister(this);
    services_.dialogs.Remove(this);
}

void CCameraIdDialog::SetStripPicture(int32_t picture) {
    controls_.SetPicture(kStrip, picture);
}

void CCameraIdDialog::OnInitDialog() {
    initialised_ = true;
    services_.status.Register(this);
    services_.dialogs.Add(this);
    std::string id;
    if (CameraId(services_).Query(id) == 1) {
        const CameraId::Fields fields = CameraId::ToFields(id);
        for (size_t i = 0; i < kFields.size(); ++i) controls_.SetText(kFields[i], fields[i]);
    }
    controls_.Show(kSave, factoryMode_);
}

std::optional<camera::TextWrite> CCameraIdDialog::OnSave() {
    // Production's button: outside factory mode it is not there, and a stray click writes nothing.
    if (!factoryMode_) return std::nullopt;
    CameraId::Fields fields;
    for (size_t i = 0; i < kFields.size(); ++i) fields[i] = controls_.GetText(kFields[i]);
    const std::string id = CameraId::FromFields(fields);
    const bool saved = CameraId(services_).Save(id) == 1;
    return camera::TextWrite{protocol::cmd::ID00, id, saved};
}

}  // namespace vr::identity
