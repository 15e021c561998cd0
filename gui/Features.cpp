#include "Features.h"

#include <QScreen>

#include "LutEditorWindow.h"
#include "MainWindow.h"
#include "ui/main/ControlIds.h"

namespace vr::gui {

Features::Features(MainWindow& window) : window_(window) {
    CreateLutEditors();
}

Features::~Features() {
    // The window may outlive its features by a moment; nothing of theirs may be called then.
    window_.Logic().Router().AddButton(ui::id::kOpenLutTable, nullptr);
    window_.SetSecondaryWindow(ui::SecondaryWindow::LutEditors, nullptr);
    lutEditors_.reset();
    for (QPointer<LutEditorWindow>& w : lutWindows_) delete w;
}

LutEditorWindow* Features::LutWindow(lut::LutColour colour) const {
    return lutWindows_[static_cast<size_t>(colour)];
}

void Features::CreateLutEditors() {
    // Hidden until "Open LUT Table"; each lies 50 pixels further right and down than the one before.
    const QPoint origin = window_.screen()->availableGeometry().topLeft();
    std::array<lut::CLUTDlg*, 3> editors{};
    for (lut::LutColour colour : lut::kLutColours) {
        const auto k = static_cast<size_t>(colour);
        auto* editor = new LutEditorWindow(window_.Services(), colour, &window_);
        editor->adjustSize();
        const int offset = lut::LutEditors::Offset(static_cast<int>(k));
        editor->move(origin + QPoint(offset, offset));
        lutWindows_[k] = editor;
        editors[k] = &editor->Logic();
    }
    lutEditors_ = std::make_unique<lut::LutEditors>(editors);
    lutEditors_->Register(window_.Logic().Router());
    window_.SetSecondaryWindow(ui::SecondaryWindow::LutEditors, [this](bool show) { lutEditors_->ShowAll(show); });
}

}  // namespace vr::gui
