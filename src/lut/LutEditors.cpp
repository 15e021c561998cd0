#include "lut/LutEditors.h"

#include "protocol/ControlIds.h"
#include "ui/main/FeatureRouter.h"

namespace vr::lut {

LutEditors::LutEditors(std::array<CLUTDlg*, 3> editors) : editors_(editors) {}

void LutEditors::ShowAll(bool show) {
    for (CLUTDlg* editor : editors_) editor->Show(show);
}

void LutEditors::Register(ui::FeatureRouter& router) {
    router.AddButton(protocol::id::kOpenLutTable, [this] { ShowAll(true); });
}

}  // namespace vr::lut
