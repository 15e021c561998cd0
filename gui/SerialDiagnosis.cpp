#include "SerialDiagnosis.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QMenu>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "doctor/SerialDoctor.h"

namespace vr::gui {

void AddSerialDiagnosis(QMenu* menu, QWidget* parent) {
    if (menu == nullptr) return;
    menu->addSeparator();
    QAction* action = menu->addAction(QString::fromUtf8("Diagnose Serial Ports\u2026"));
    action->setObjectName("diagnoseSerialPorts");
    QObject::connect(action, &QAction::triggered, parent, [parent] {
        QDialog dialog(parent);
        dialog.setWindowTitle("Diagnose Serial Ports");
        auto* text = new QPlainTextEdit(QString::fromStdString(doctor::DiagnoseSerialPorts()), &dialog);
        text->setReadOnly(true);
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        text->setMinimumSize(640, 320);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(text);
        layout->addWidget(buttons);
        dialog.exec();
    });
}

}  // namespace vr::gui
