#include "CameraIdWindow.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "StatusStrip.h"
#include "identity/CameraId.h"
#include "identity/IdentityIds.h"

namespace vr::gui {

using namespace identity::cameraid;

CameraIdWindow::CameraIdWindow(camera::CameraSession& session, bool factoryMode, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(identity::CCameraIdDialog::kTitle);
    auto* frame = new QGroupBox("Camera Id", this);
    auto* row = new QHBoxLayout(frame);
    for (size_t i = 0; i < kFields.size(); ++i) {
        auto* field = new QLineEdit(frame);
        // Room for a whole ID pasted into any field: it is spread over this field and the next ones.
        field->setMaxLength(static_cast<int>(identity::CameraId::kLength));
        field->setAlignment(Qt::AlignCenter);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance("MM") + 12);
        field->setAccessibleName(QString("Camera Id character %1").arg(i + 1));
        // Typing replaces the field's character: entering a field selects it.
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i](const QString& text) { OnFieldEdited(i, text); });
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

    logic_ = std::make_unique<identity::CCameraIdDialog>(session.Services(), controls_, *this, factoryMode);
    connect(save, &QPushButton::clicked, this, [this, &session] {
        // The session tells whoever follows it (the journal) what was written.
        if (const auto written = logic_->OnSave()) session.TellTextWritten(*written);
    });
    logic_->OnInitDialog();
    RememberFields();
}

CameraIdWindow::~CameraIdWindow() {
    logic_.reset();
}

QLineEdit* CameraIdWindow::Field(size_t index) const {
    return index < kFields.size() ? controls_.As<QLineEdit>(kFields[index]) : nullptr;
}

void CameraIdWindow::RememberFields() {
    for (size_t i = 0; i < kFields.size(); ++i) shown_[i] = controls_.GetText(kFields[i]);
}

void CameraIdWindow::OnFieldEdited(size_t index, const QString& text) {
    // What was typed or pasted: the new text without the character the field held before, when the
    // new one went in beside it rather than over it.
    const QString old = QString::fromStdString(shown_[index]);
    QString typed = text;
    if (!old.isEmpty() && text.size() > old.size()) {
        if (text.startsWith(old))
            typed = text.mid(old.size());
        else if (text.endsWith(old))
            typed = text.left(text.size() - old.size());
    }
    identity::CameraId::Fields fields = shown_;
    fields[index].clear();
    // One character moves on to the next field; more (a pasted ID) fill the fields from this one on.
    size_t next = identity::CameraId::Spread(fields, index, typed.toStdString());
    if (typed.size() <= 1) next = typed.isEmpty() ? index : std::min(index + 1, kFields.size() - 1);
    for (size_t i = 0; i < kFields.size(); ++i) controls_.SetText(kFields[i], fields[i]);
    RememberFields();
    if (QLineEdit* field = Field(next)) {
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
    }
}

bool CameraIdWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* field = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, field, [field] { field->selectAll(); });
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vr::gui
