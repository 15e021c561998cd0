#include "ParameterSearchWindow.h"

#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "DesktopHabits.h"
#include "MainWindow.h"
#include "protocol/Command.h"
#include "protocol/OnlineStatus.h"

namespace vr::gui {

ParameterSearchWindow::ParameterSearchWindow(MainWindow& window) : QDialog(&window), window_(window) {
    setObjectName("parameterSearch");
    setWindowTitle(tr("Find Parameter"));
    field_ = new QLineEdit(this);
    field_->setObjectName("searchField");
    field_->setPlaceholderText(tr("Caption, camera command or control id"));
    field_->setClearButtonEnabled(true);
    field_->installEventFilter(this);
    results_ = new QTreeWidget(this);
    results_->setObjectName("searchResults");
    results_->setColumnCount(kColumnCount);
    results_->setHeaderLabels({tr("Parameter"), tr("Command"), tr("Id"), tr("Page"), tr("Group")});
    results_->setRootIsDecorated(false);
    results_->setUniformRowHeights(true);
    results_->setAllColumnsShowFocus(true);
    results_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    results_->header()->setStretchLastSection(true);
    auto* hint = new QLabel(tr("Enter or a double click goes to the parameter."), this);
    hint->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(field_);
    layout->addWidget(results_, 1);
    layout->addWidget(hint);
    const int line = fontMetrics().height();
    resize(line * 40, line * 24);
    connect(field_, &QLineEdit::textChanged, this, &ParameterSearchWindow::Refresh);
    connect(field_, &QLineEdit::returnPressed, this, [this] {
        ChooseItem(results_->currentItem() != nullptr ? results_->currentItem() : results_->topLevelItem(0));
    });
    connect(results_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { ChooseItem(item); });
}

void ParameterSearchWindow::OpenForQuery() {
    Refresh();  // the tabs and the model's controls may have changed since the last time
    show();
    raise();
    activateWindow();
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
}

bool ParameterSearchWindow::eventFilter(QObject* watched, QEvent* event) {
    // Up and Down in the field walk the list, so the hands stay on the keys.
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Down || key == Qt::Key_Up) && results_->topLevelItemCount() > 0) {
            const int row =
                results_->currentItem() != nullptr ? results_->indexOfTopLevelItem(results_->currentItem()) : -1;
            const int next = std::clamp(row + (key == Qt::Key_Down ? 1 : -1), 0, results_->topLevelItemCount() - 1);
            results_->setCurrentItem(results_->topLevelItem(next));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::vector<const ui::SearchEntry*> ParameterSearchWindow::Available() const {
    std::vector<const ui::SearchEntry*> available;
    for (const ui::SearchEntry& e : ui::SearchableParameters()) {
        QWidget* page = window_.Page(e.pageIndex);
        QWidget* control = window_.Binding().Widget(e.ctrlId);
        // The model's layout hides the controls its camera lacks; the factory page has no tab in user mode.
        if (page == nullptr || control == nullptr || control->isHidden() || window_.Tabs()->indexOf(page) < 0) continue;
        available.push_back(&e);
    }
    return available;
}

void ParameterSearchWindow::Refresh() {
    results_->clear();
    for (const ui::SearchMatch& m : ui::FindParameters(field_->text().toStdString(), Available())) {
        auto* item = new QTreeWidgetItem(results_);
        item->setText(kCaption, QString::fromStdString(m.entry->caption));
        item->setText(kCommand, QString::fromStdString(m.entry->mnemonic));
        item->setText(kControlId, QString::number(m.entry->ctrlId));
        item->setText(kPage, QString::fromStdString(m.entry->page));
        item->setText(kGroup, QString::fromStdString(m.entry->group));
        item->setData(kCaption, Qt::UserRole, m.entry->ctrlId);
        if (QWidget* control = window_.Binding().Widget(m.entry->ctrlId))
            item->setToolTip(kCaption, control->toolTip());
    }
    if (results_->topLevelItemCount() > 0) results_->setCurrentItem(results_->topLevelItem(0));
}

void ParameterSearchWindow::ChooseItem(QTreeWidgetItem* item) {
    if (item != nullptr && Choose(item->data(kCaption, Qt::UserRole).toUInt())) hide();
}

bool ParameterSearchWindow::Choose(uint32_t ctrlId) {
    camera::Services& services = window_.Services();
    // While a command or a long operation runs the pages are not the operator's.
    if (services.engine.Busy() || services.dialogs.Disabled()) return false;
    const auto& entries = ui::SearchableParameters();
    const auto entry =
        std::find_if(entries.begin(), entries.end(), [ctrlId](const ui::SearchEntry& e) { return e.ctrlId == ctrlId; });
    if (entry == entries.end()) return false;
    QWidget* page = window_.Page(entry->pageIndex);
    QWidget* control = window_.Binding().Widget(ctrlId);
    const int tab = page != nullptr ? window_.Tabs()->indexOf(page) : -1;
    if (tab < 0 || control == nullptr || control->isHidden()) return false;
    window_.Tabs()->setCurrentIndex(tab);
    if (auto* scroll = qobject_cast<QScrollArea*>(page)) scroll->ensureWidgetVisible(control);
    window_.Activate();
    control->setFocus(Qt::OtherFocusReason);
    Outline(control);
    return true;
}

void ParameterSearchWindow::Outline(QWidget* control) {
    delete outline_;
    QWidget* parent = control->parentWidget();
    if (parent == nullptr) return;
    auto* frame = new QFrame(parent);
    frame->setObjectName("searchOutline");
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The palette's selection colour, lightened on a dark desktop where a deep blue would sink into
    // the page.
    QColor colour = palette().color(QPalette::Active, QPalette::Highlight);
    if (IsDarkPalette(palette())) colour = colour.lighter(140);
    frame->setStyleSheet(
        QString("#searchOutline { border: 2px solid %1; border-radius: 3px; background: transparent; }")
            .arg(colour.name()));
    frame->setGeometry(control->geometry().adjusted(-3, -3, 3, 3));
    frame->show();
    frame->raise();
    outline_ = frame;
    outlined_ = control;
    QTimer::singleShot(kHighlightMs, frame, &QObject::deleteLater);
}

QWidget* ParameterSearchWindow::Highlighted() const {
    return outline_ && !outline_->isHidden() ? outlined_.data() : nullptr;
}

}  // namespace vr::gui
