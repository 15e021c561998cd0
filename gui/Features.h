#pragma once
// The desktop tool's features, put together: each feature module (and the windows it needs) is made
// here and registers its menu commands, buttons and lists in the main window's router. One member
// per feature; they live as long as the main window.

#include <memory>

namespace vr::lut {
class PlainLutTables;
class TableFiles;
}  // namespace vr::lut

namespace vr::gui {

class MainWindow;

class Features {
public:
    explicit Features(MainWindow& window);
    ~Features();
    Features(const Features&) = delete;
    Features& operator=(const Features&) = delete;

private:
    MainWindow& window_;
    // The LUT tables the table files work on, until the LUT editors bring theirs.
    std::unique_ptr<lut::PlainLutTables> lutTables_;
    std::unique_ptr<lut::TableFiles> tableFiles_;
};

}  // namespace vr::gui
