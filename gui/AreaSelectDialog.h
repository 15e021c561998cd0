#pragma once
// The memory-area selection ("Parameter Flash Area Select"): a modal question for the area to store
// settings into or load them from.

#include <QDialog>
#include <memory>
#include <optional>

#include "WidgetBinding.h"
#include "camera/Services.h"
#include "ui/main/ParameterAreaSelectDialog.h"

namespace vr::gui {

class AreaSelectDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr uint32_t kTemplateId = 108;

    AreaSelectDialog(camera::Services& services, ui::AreaDialogMode mode, bool factoryMode, QWidget* parent = nullptr);
    ~AreaSelectDialog() override;

    // The chosen area (0 Factory, 1 to 3 User 1 to 3, -1 for none) after OK; nothing after Cancel.
    std::optional<int> Result() const { return result_; }
    WidgetBinding& Controls() { return controls_; }

    // Runs the dialog modally.
    static std::optional<int> Choose(camera::Services& services, ui::AreaDialogMode mode, bool factoryMode,
                                     QWidget* parent);

    // OK: takes the area of the selected item.
    void accept() override;

private:
    WidgetBinding controls_;
    std::unique_ptr<ui::CParameterAreaSelectDialog> logic_;
    std::optional<int> result_;
};

}  // namespace vr::gui
