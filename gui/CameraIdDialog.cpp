#include "CameraIdDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "StatusStrip.h"
#include "identity/IdentityIds.h"

namespace vr::gui {

using namespace identity::cameraid;

CameraIdDialog::CameraIdDialog(camera::Services& services, bool factoryMode, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(identity::CCameraIdDialog::kTitle);
    auto* frame = new QGroupBox("Camera Id", this);
    auto* row = new QHBoxLayout(frame);
    for (size_t i = 0; i < kFields.size(); ++i) {
        auto* field = new QLineEdit(frame);
        // Only the first character of a field counts: let it hold no more.
        field->setMaxLength(1);
        field->setAlignment(Qt::AlignCenter);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance("MM") + 12);
        field->setAccessibleName(QString("Camera Id character %1").arg(i + 1));
        row->addWidget(field);
        controls_.Bind(kFields[i], field);
    }
    auto* save = new QPushButton("Save", frame);
    save->setAutoDefault(false);
    row->addSpacing(8);
    row->addWidget(save);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* strip = new StatusStrip(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
    layout->addWidget(strip);
    controls_.Bind(kSave, save);
    controls_.Bind(kStrip, strip);

    logic_ = std::make_unique<identity::CCameraIdDialog>(services, controls_, *this, factoryMode);
    connect(save, &QPushButton::clicked, this, [this] { logic_->OnSave(); });
    logic_->OnInitDialog();
}

CameraIdDialog::~CameraIdDialog() {
    logic_.reset();
}

}  // namespace vr::gui
