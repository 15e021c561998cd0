#pragma once
// The LUT feature's menu commands and buttons on the main window: the editors' "Open LUT Table"
// button and the table files' menu commands and "Correction Data" buttons.

namespace vr::lut {
class LutEditors;
class TableFiles;
}  // namespace vr::lut

namespace vr::ui {

class FeatureRouter;

void RegisterLutEditors(FeatureRouter& router, lut::LutEditors& editors);
void RegisterTableFiles(FeatureRouter& router, lut::TableFiles& files);

}  // namespace vr::ui
