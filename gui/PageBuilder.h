#pragma once
// Builds the main window's tab pages from the page inventory: group boxes with their captions, rows
// of a label and its controls, edits with their up-down buttons, drop-down lists with their items.
// Every control is bound to its id; operator actions come back as the events the window logic routes.

#include <QWidget>
#include <functional>

#include "ui/main/PageInventory.h"

namespace vr::gui {

class WidgetBinding;

struct PageEvents {
    std::function<void(uint32_t editId)> editLostFocus;
    std::function<void(uint32_t comboId)> comboChanged;
    std::function<void(uint32_t buttonId)> buttonClicked;
    // A click on an up-down control; the handler moves it, or not.
    std::function<void(uint32_t spinId, int delta)> spinDelta;
};

// The page as a scrollable widget (a page that does not fit the window scrolls instead of being cut).
// Its group boxes stand in three columns, or four when three would be taller than maxHeight, and in
// fewer where the width holds fewer.
QWidget* BuildPage(const ui::PageLayout& layout, WidgetBinding& controls, const PageEvents& events, int maxHeight,
                   QWidget* parent = nullptr);

// The tooltip of a parameter control: its camera command and its range or items.
QString ParameterToolTip(uint32_t ctrlId);

}  // namespace vr::gui
