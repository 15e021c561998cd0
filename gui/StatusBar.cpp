#include "StatusBar.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

#include "WidgetBinding.h"
#include "camera/Services.h"
#include "ui/main/CtrlToolDlg.h"

namespace vr::gui {

StatusBar::StatusBar(QMainWindow& window, ui::CCtrlToolDlg& logic)
    : QObject(&window), window_(window), logic_(logic), status_(logic.Services().status) {
    QStatusBar* bar = window_.statusBar();
    bar->setObjectName("statusBar");
    port_ = AddField("statusPort", tr("The port the tool talks to the camera on"));
    rate_ = AddField("statusRate", tr("The line rate in use"));
    model_ = AddField("statusModel", tr("The camera model that answered"));
    area_ = AddField("statusArea", tr("The camera's memory area in use"));
    mode_ = AddField("statusMode", tr("Control mode"));
    lamp_ = new QLabel(bar);
    lamp_->setObjectName("statusLamp");
    bar->addPermanentWidget(lamp_);
    line_ = AddField("statusLine", tr("Whether the camera answers"));
    // Right-clicking any field opens the bar's menu.
    bar->setContextMenuPolicy(Qt::ActionsContextMenu);
    status_.Register(this);
    Refresh();
    timer_ = new QTimer(this);
    timer_->setInterval(kRefreshMs);
    connect(timer_, &QTimer::timeout, this, &StatusBar::Refresh);
    timer_->start();
}

StatusBar::~StatusBar() {
    status_.Unregister(this);
}

QLabel* StatusBar::AddField(const char* objectName, const QString& toolTip) {
    auto* label = new QLabel(window_.statusBar());
    label->setObjectName(objectName);
    label->setToolTip(toolTip);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Selectable text would take the right button for its own menu.
    label->setContextMenuPolicy(Qt::NoContextMenu);
    window_.statusBar()->addPermanentWidget(label);
    return label;
}

QLabel* StatusBar::Field(const char* objectName) const {
    return window_.statusBar()->findChild<QLabel*>(objectName);
}

void StatusBar::AddContextAction(QAction* action) {
    window_.statusBar()->addAction(action);
}

void StatusBar::SetStripPicture(int32_t) {
    Refresh();
}

void StatusBar::Refresh() {
    if (!port_) return;
    const ui::StatusTexts t = ui::DescribeStatus(logic_);
    if (!first_ && t == shown_) return;
    const bool lampChanged = first_ || t.online != shown_.online;
    first_ = false;
    shown_ = t;
    // Device paths run long (/dev/serial/by-id/...): the middle gives way, the tooltip keeps it whole.
    const QString port = QString::fromStdString(t.port);
    port_->setText(
        port_->fontMetrics().elidedText(port, Qt::ElideMiddle, port_->fontMetrics().averageCharWidth() * kPortChars));
    port_->setToolTip(port);
    rate_->setText(QString::fromStdString(t.rate));
    model_->setText(QString::fromStdString(t.model));
    area_->setText(QString::fromStdString(t.area));
    mode_->setText(QString::fromStdString(t.mode));
    line_->setText(QString::fromStdString(t.line));
    if (lampChanged) {
        const int size = lamp_->fontMetrics().height();
        lamp_->setPixmap(LineStatusPixmap(t.online, size, window_.devicePixelRatioF()));
    }
}

}  // namespace vr::gui
