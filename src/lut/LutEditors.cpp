#include "lut/LutEditors.h"

namespace vr::lut {

LutEditors::LutEditors(std::array<CLUTDlg*, 3> editors) : editors_(editors) {}

void LutEditors::ShowAll(bool show) {
    for (CLUTDlg* editor : editors_) editor->Show(show);
}

}  // namespace vr::lut
