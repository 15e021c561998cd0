#pragma once
// The LUT feature's menu commands and buttons on the main window: the editors' "Open LUT Table"
// button and the table files' menu commands and "Correction Data" buttons.

#include <functional>

namespace vr::lut {
class TableFiles;
}

namespace vr::ui {

class FeatureRouter;

// `open` shows the three editors (the desktop places them beside the main window the first time).
void RegisterLutEditors(FeatureRouter& router, std::function<void()> open);
void RegisterTableFiles(FeatureRouter& router, lut::TableFiles& files);

}  // namespace vr::ui
