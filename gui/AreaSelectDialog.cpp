#include "AreaSelectDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "StatusStrip.h"

namespace vr::gui {

AreaSelectDialog::AreaSelectDialog(camera::Services& services, ui::AreaDialogMode mode, bool factoryMode,
                                   QWidget* parent)
    : QDialog(parent) {
    setObjectName(QString::number(kTemplateId));
    auto* prompt = new QLabel(this);
    prompt->setWordWrap(true);
    auto* areas = new QComboBox(this);
    prompt->setBuddy(areas);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* strip = new StatusStrip(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(areas);
    layout->addWidget(buttons);
    layout->addWidget(strip);
    controls_.Bind(ui::kAreaPrompt, prompt);
    controls_.Bind(ui::kAreaCombo, areas);
    controls_.Bind(ui::kAreaStatusStrip, strip);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    logic_ = std::make_unique<ui::CParameterAreaSelectDialog>(controls_, services.status, services.dialogs, mode,
                                                              factoryMode);
    logic_->OnInitDialog();
    setWindowTitle(QString::fromStdString(logic_->Title()));
}

AreaSelectDialog::~AreaSelectDialog() {
    logic_.reset();
}

void AreaSelectDialog::accept() {
    result_ = logic_->OnOK();
    QDialog::accept();
}

std::optional<int> AreaSelectDialog::Choose(camera::Services& services, ui::AreaDialogMode mode, bool factoryMode,
                                            QWidget* parent) {
    AreaSelectDialog dialog(services, mode, factoryMode, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Result();
}

}  // namespace vr::gui
