#pragma once
// Help > "Diagnose Serial Ports...": what keeps the tool from the serial ports (the report of
// `vr8200ctl doctor`), in a window of its own, for when a port would not open.

class QMenu;
class QWidget;

namespace vr::gui {

// Adds the entry at the end of menu; the window it opens belongs to parent.
void AddSerialDiagnosis(QMenu* menu, QWidget* parent);

}  // namespace vr::gui
