#pragma once
// The desktop tool's features, put together: each feature module (and the windows it needs) is made
// here and registers its menu commands, buttons and lists in the main window's router. One member
// per feature; they live as long as the main window.

#include <QPointer>
#include <array>
#include <memory>

#include "lut/LutEditors.h"

namespace vr::gui {

class MainWindow;
class LutEditorWindow;

class Features {
public:
    explicit Features(MainWindow& window);
    ~Features();
    Features(const Features&) = delete;
    Features& operator=(const Features&) = delete;

    // The three LUT editors' tables, for the LUT file operations.
    lut::ILutTables& LutTables() { return *lutEditors_; }
    LutEditorWindow* LutWindow(lut::LutColour colour) const;

private:
    void CreateLutEditors();

    MainWindow& window_;
    std::array<QPointer<LutEditorWindow>, 3> lutWindows_;
    std::unique_ptr<lut::LutEditors> lutEditors_;
};

}  // namespace vr::gui
