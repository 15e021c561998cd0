#include "UserIdWindow.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "StatusStrip.h"
#include "identity/IdentityIds.h"

namespace vr::gui {

using namespace identity::userid;

UserIdWindow::UserIdWindow(camera::CameraSession& session, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(identity::CUserIdDialog::kTitle);
    auto* label = new QLabel("User ID", this);
    auto* edit = new QLineEdit(this);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(32, 'M')));
    label->setBuddy(edit);
    auto* save = new QPushButton("Save", this);
    save->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edit, 1);
    row->addWidget(save);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* strip = new StatusStrip(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->addWidget(strip);
    controls_.Bind(kEdit, edit);
    controls_.Bind(kSave, save);
    controls_.Bind(kStrip, strip);

    logic_ = std::make_unique<identity::CUserIdDialog>(session.Services(), controls_, *this);
    connect(save, &QPushButton::clicked, this, [this, &session] {
        // The session tells whoever follows it (the journal) what was written.
        session.TellTextWritten(logic_->OnSave());
    });
    logic_->OnInitDialog();
}

UserIdWindow::~UserIdWindow() {
    logic_.reset();
}

}  // namespace vr::gui
