#include "CompareWindow.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vr::gui {
namespace {

using Kind = settings::SettingDifference::Kind;

// A value one side does not have: the reason, set apart from real values.
QTableWidgetItem* Missing(const QString& why) {
    auto* item = new QTableWidgetItem(why);
    QFont font = item->font();
    font.setItalic(true);
    item->setFont(font);
    item->setForeground(QPalette().brush(QPalette::Disabled, QPalette::Text));
    return item;
}

QTableWidgetItem* Value(const std::optional<std::string>& value, const QString& whyMissing) {
    if (!value) return Missing(whyMissing);
    auto* item = new QTableWidgetItem(QString::fromStdString(*value));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

CompareWindow::CompareWindow(const QString& path, const std::vector<settings::SettingDifference>& differences,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName("compare");
    setWindowTitle("Compare with File");
    summary_ = new QLabel(QString("%1 %2 between the camera and %3.")
                              .arg(differences.size())
                              .arg(differences.size() == 1 ? "difference" : "differences")
                              .arg(QFileInfo(path).fileName()),
                          this);
    summary_->setToolTip(path);
    summary_->setWordWrap(true);

    table_ = new QTableWidget(static_cast<int>(differences.size()), kColumnCount, this);
    table_->setHorizontalHeaderLabels({"Name", "Caption", "File", "Camera"});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->setAlternatingRowColors(true);
    for (int row = 0; row < static_cast<int>(differences.size()); ++row) {
        const settings::SettingDifference& d = differences[static_cast<size_t>(row)];
        table_->setItem(row, kName, new QTableWidgetItem(QString::fromStdString(d.name)));
        table_->setItem(row, kCaption, new QTableWidgetItem(QString::fromStdString(d.caption)));
        table_->setItem(row, kFile, Value(d.fileValue, "not in the file"));
        table_->setItem(row, kCamera,
                        Value(d.cameraValue, d.kind == Kind::NoAnswer ? "no answer" : "not on this model"));
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setSectionResizeMode(kCaption, QHeaderView::Stretch);

    auto* buttons = new QDialogButtonBox(this);
    load_ = buttons->addButton("Load File", QDialogButtonBox::AcceptRole);
    load_->setToolTip("Send every setting of the file to the camera");
    buttons->addButton(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    resize(640, 420);
}

bool CompareWindow::Choose(const QString& path, const std::vector<settings::SettingDifference>& differences,
                           QWidget* parent) {
    CompareWindow window(path, differences, parent);
    return window.exec() == QDialog::Accepted;
}

}  // namespace vr::gui
