#include "ProgressWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vr::gui {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      text_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName("progress");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose, false);
    text_->setObjectName(QString::number(kTextId));
    text_->setWordWrap(true);
    bar_->setObjectName(QString::number(kBarId));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    cancel_->setObjectName("cancel");
    cancel_->setAutoDefault(false);
    cancel_->hide();
    connect(cancel_, &QPushButton::clicked, this, [this] {
        cancelRequested_ = true;
        cancel_->setEnabled(false);
        cancel_->setText(tr("Stopping..."));
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 48);
}

void ProgressWindow::SetText(const QString& text) {
    text_->setText(text);
    text_->repaint();
}

void ProgressWindow::SetPos(int percent) {
    bar_->setValue(std::clamp(percent, 0, 100));
    bar_->repaint();
}

QString ProgressWindow::Text() const {
    return text_->text();
}

int ProgressWindow::Pos() const {
    return bar_->value();
}

void ProgressWindow::AllowCancel(bool allow) {
    // A Cancel already pressed stays pressed until the operation has seen it.
    if (!cancelRequested_) cancel_->setVisible(allow);
}

}  // namespace vr::gui
