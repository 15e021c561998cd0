#include "ProgressWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Platform.h"

namespace vr::gui {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint),
      text_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName("progress");
    setWindowTitle(platform::kAppTitle);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose, false);
    text_->setObjectName(QString::number(kTextId));
    text_->setTextFormat(Qt::PlainText);
    bar_->setObjectName(QString::number(kBarId));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    cancel_->setObjectName("cancel");
    cancel_->setAutoDefault(false);
    cancel_->hide();
    connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::RequestCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    // The window takes the size its contents ask for, and grows with a longer text.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 48);
}

void ProgressWindow::SetText(const QString& text) {
    // A text wider than most of the screen wraps instead of pushing the window off it.
    const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    const int room = screen != nullptr ? screen->availableGeometry().width() * 3 / 4 : 1200;
    const int widest = text_->fontMetrics().boundingRect(QRect(0, 0, 100000, 100000), 0, text).width();
    text_->setWordWrap(widest > room);
    text_->setText(text);
    if (text_->wordWrap()) text_->setMinimumWidth(room);
    const QSize wanted = sizeHint().expandedTo(minimumSizeHint());
    if (wanted.width() > width() || wanted.height() > height()) resize(size().expandedTo(wanted));
    // Painted with the next events the operation or the engine's wait lets run, not at once: a paint
    // for every step would cost more than the steps.
    text_->update();
}

void ProgressWindow::SetPos(int percent) {
    if (Busy()) return;
    bar_->setValue(std::clamp(percent, 0, 100));
}

void ProgressWindow::SetBusy(bool busy) {
    if (busy == Busy()) return;
    // A range of 0 to 0 is Qt's busy indicator.
    bar_->setRange(0, busy ? 0 : 100);
    if (!busy) bar_->setValue(0);
}

bool ProgressWindow::Busy() const {
    return bar_->maximum() == 0;
}

QString ProgressWindow::Text() const {
    return text_->text();
}

int ProgressWindow::Pos() const {
    return bar_->value();
}

void ProgressWindow::AllowCancel(bool allow) {
    operationCancel_ = allow;
    ShowCancel();
}

void ProgressWindow::AllowWaitCancel(bool allow) {
    waitCancel_ = allow;
    ShowCancel();
}

void ProgressWindow::ShowCancel() {
    // A Cancel already pressed stays in view, greyed, until the operation has seen it.
    if (!cancelRequested_) cancel_->setVisible(CancelOffered());
}

void ProgressWindow::RequestCancel() {
    if (cancelRequested_ || !CancelOffered()) return;
    cancelRequested_ = true;
    cancel_->setEnabled(false);
    cancel_->setText(tr("Stopping..."));
}

void ProgressWindow::reject() {
    RequestCancel();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    RequestCancel();
    event->ignore();
}

}  // namespace vr::gui
