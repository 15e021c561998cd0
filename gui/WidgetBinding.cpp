#include "WidgetBinding.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "SpinButtons.h"
#include "StatusStrip.h"

namespace vr::gui {

namespace {

constexpr int kItemDataRole = Qt::UserRole;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

void WidgetBinding::Bind(uint32_t id, QWidget* widget) {
    widget->setObjectName(QString::number(id));
    widgets_.insert(id, widget);
}

QWidget* WidgetBinding::Widget(uint32_t id) const {
    auto it = widgets_.constFind(id);
    return it == widgets_.constEnd() ? nullptr : it->data();
}

uint32_t WidgetBinding::IdOf(const QWidget* widget) const {
    for (auto it = widgets_.constBegin(); it != widgets_.constEnd(); ++it)
        if (it->data() == widget) return it.key();
    return 0;
}

bool WidgetBinding::Exists(uint32_t id) const {
    return Widget(id) != nullptr;
}

std::string WidgetBinding::GetText(uint32_t id) const {
    QWidget* w = Widget(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text().toStdString();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text().toStdString();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText().toStdString();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text().toStdString();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title().toStdString();
    if (w != nullptr) return w->windowTitle().toStdString();
    return {};
}

void WidgetBinding::SetText(uint32_t id, const std::string& text) {
    QWidget* w = Widget(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        // Keep the cursor where the operator had it when the text did not change.
        if (e->text() != Q(text)) e->setText(Q(text));
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(Q(text));
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->isEditable()) c->setEditText(Q(text));
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(Q(text));
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(Q(text));
    }
}

void WidgetBinding::ClearItems(uint32_t id) {
    QWidget* w = Widget(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) c->clear();
    if (auto* l = qobject_cast<QListWidget*>(w)) {
        pending_.remove(id);
        l->clear();
    }
}

int WidgetBinding::AddItem(uint32_t id, const std::string& text) {
    QWidget* w = Widget(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        // A combo box with a list gets no selection from adding, as a drop-down list would not.
        const QSignalBlocker block(c);
        const int selected = c->currentIndex();
        c->addItem(Q(text));
        if (selected < 0) c->setCurrentIndex(-1);
        return c->count() - 1;
    }
    if (auto* l = qobject_cast<QListWidget*>(w)) {
        // Traffic lists grow by a line per command: the lines are added in one go when the window
        // next paints, not one layout and scroll per line.
        QStringList& lines = pending_[id];
        lines.append(Q(text));
        if (lines.size() == 1) QTimer::singleShot(0, l, [this, id] { FlushedList(id, Widget(id)); });
        return l->count() + static_cast<int>(lines.size()) - 1;
    }
    return -1;
}

void WidgetBinding::AddItemBounded(uint32_t id, const std::string& text, int maxCount) {
    if (qobject_cast<QListWidget*>(Widget(id)) == nullptr) {
        platform::IControlAccess::AddItemBounded(id, text, maxCount);
        return;
    }
    bounds_.insert(id, std::max(maxCount, 0));
    AddItem(id, text);
    // Lines that would be dropped at once are never added at all.
    QStringList& lines = pending_[id];
    if (lines.size() > maxCount) lines.erase(lines.begin(), lines.begin() + (lines.size() - std::max(maxCount, 0)));
}

int WidgetBinding::ItemCount(uint32_t id) const {
    QWidget* w = Widget(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->count();
    if (auto* l = FlushedList(id, w)) return l->count();
    return 0;
}

std::string WidgetBinding::ItemText(uint32_t id, int index) const {
    QWidget* w = Widget(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->itemText(index).toStdString();
    if (auto* l = FlushedList(id, w)) {
        QListWidgetItem* item = l->item(index);
        return item != nullptr ? item->text().toStdString() : std::string();
    }
    return {};
}

void WidgetBinding::SetItemValue(uint32_t id, int index, int32_t data) {
    QWidget* w = Widget(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (index >= 0 && index < c->count()) c->setItemData(index, data, kItemDataRole);
    } else if (auto* l = FlushedList(id, w)) {
        if (QListWidgetItem* item = l->item(index)) item->setData(kItemDataRole, data);
    }
}

int32_t WidgetBinding::ItemValue(uint32_t id, int index) const {
    QWidget* w = Widget(id);
    if (auto* c = qobject_cast<QComboBox*>(w))
        return index >= 0 && index < c->count() ? c->itemData(index, kItemDataRole).toInt() : -1;
    if (auto* l = FlushedList(id, w)) {
        QListWidgetItem* item = l->item(index);
        return item != nullptr ? item->data(kItemDataRole).toInt() : -1;
    }
    return -1;
}

int WidgetBinding::Selection(uint32_t id) const {
    QWidget* w = Widget(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentIndex();
    if (auto* l = FlushedList(id, w)) return l->currentRow();
    return -1;
}

void WidgetBinding::SetSelection(uint32_t id, int index) {
    QWidget* w = Widget(id);
    // Selecting from the program is not an operator's choice: no change signal reaches the logic.
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker block(c);
        c->setCurrentIndex(index >= 0 && index < c->count() ? index : -1);
    } else if (auto* l = FlushedList(id, w)) {
        const QSignalBlocker block(l);
        l->setCurrentRow(index >= 0 && index < l->count() ? index : -1);
    }
}

int WidgetBinding::InsertItem(uint32_t id, int index, const std::string& text) {
    QWidget* w = Widget(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker block(c);
        if (index < 0 || index > c->count()) index = c->count();
        const int selected = c->currentIndex();
        c->insertItem(index, Q(text));
        // The selection stays on the item it was on, and none stays none.
        c->setCurrentIndex(selected < 0 ? -1 : selected + (selected >= index ? 1 : 0));
        return index;
    }
    if (auto* l = FlushedList(id, w)) {
        if (index < 0 || index > l->count()) index = l->count();
        l->insertItem(index, Q(text));
        return index;
    }
    return -1;
}

void WidgetBinding::RemoveItem(uint32_t id, int index) {
    QWidget* w = Widget(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (index < 0 || index >= c->count()) return;
        const QSignalBlocker block(c);
        const int selected = c->currentIndex();
        c->removeItem(index);
        // A selection of the removed item is cleared; Qt would move it to a neighbour.
        c->setCurrentIndex(selected == index ? -1 : selected - (selected > index ? 1 : 0));
    } else if (auto* l = FlushedList(id, w)) {
        delete l->takeItem(index);
    }
}

void WidgetBinding::SetSpinRange(uint32_t id, int32_t minValue, int32_t maxValue) {
    auto* s = As<SpinButtons>(id);
    if (s == nullptr) return;
    s->SetRange(minValue, maxValue);
    // The tooltips name the range that applies now (Gain Red's follows the individual gain mode).
    const QString range = QString(", range %1 to %2").arg(s->Low()).arg(s->High());
    for (QWidget* w : {static_cast<QWidget*>(s), static_cast<QWidget*>(s->Buddy())}) {
        if (w == nullptr) continue;
        QString tip = w->toolTip();
        const qsizetype at = tip.indexOf(", range ");
        if (at < 0) continue;
        tip.truncate(at);
        w->setToolTip(tip + range);
    }
}

void WidgetBinding::GetSpinRange(uint32_t id, int32_t& minValue, int32_t& maxValue) const {
    minValue = maxValue = 0;
    if (auto* s = As<SpinButtons>(id)) {
        minValue = s->Low();
        maxValue = s->High();
    }
}

void WidgetBinding::SetSpinPos(uint32_t id, int32_t pos) {
    if (auto* s = As<SpinButtons>(id)) s->SetPosition(pos);
}

int32_t WidgetBinding::GetSpinPos(uint32_t id) const {
    auto* s = As<SpinButtons>(id);
    return s != nullptr ? s->Position() : 0;
}

void WidgetBinding::SetCheck(uint32_t id, bool checked) {
    if (auto* b = As<QAbstractButton>(id); b != nullptr && b->isCheckable()) b->setChecked(checked);
}

bool WidgetBinding::GetCheck(uint32_t id) const {
    auto* b = As<QAbstractButton>(id);
    return b != nullptr && b->isChecked();
}

void WidgetBinding::Enable(uint32_t id, bool enable) {
    if (QWidget* w = Widget(id)) w->setEnabled(enable);
}

bool WidgetBinding::IsEnabled(uint32_t id) const {
    // The control's own state, as the logic set it, not whether a greyed window hides it.
    QWidget* w = Widget(id);
    return w != nullptr && !w->testAttribute(Qt::WA_ForceDisabled);
}

void WidgetBinding::Show(uint32_t id, bool show) {
    if (QWidget* w = Widget(id)) w->setVisible(show);
}

bool WidgetBinding::IsShown(uint32_t id) const {
    QWidget* w = Widget(id);
    return w != nullptr && !w->isHidden();
}

void WidgetBinding::SetPicture(uint32_t id, int32_t resource) {
    QWidget* w = Widget(id);
    if (w == nullptr) return;
    pictures_.insert(id, resource);
    if (auto* strip = qobject_cast<StatusStrip*>(w)) {
        strip->SetPicture(resource);
    } else if (auto* lamp = qobject_cast<QLabel*>(w)) {
        const int size = lamp->fontMetrics().height() + 4;
        lamp->setPixmap(LineStatusPixmap(resource == kLampOnline, size, lamp->devicePixelRatioF()));
    }
}

int32_t WidgetBinding::GetPicture(uint32_t id) const {
    return pictures_.value(id, 0);
}

QPixmap LineStatusPixmap(bool online, int size, qreal devicePixelRatio) {
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = StatusStrip::Colour(online);
    painter.setPen(QPen(colour.darker(150), 1.0));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(1.5, 1.5, size - 3.0, size - 3.0));
    return pixmap;
}

QListWidget* WidgetBinding::FlushedList(uint32_t id, QWidget* w) const {
    auto* l = qobject_cast<QListWidget*>(w);
    if (l == nullptr) return nullptr;
    const auto it = pending_.find(id);
    if (it == pending_.end()) return l;
    const QStringList lines = std::move(it.value());
    pending_.erase(it);
    QScrollBar* bar = l->verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    const int top = bar->value();
    l->addItems(lines);
    const auto bound = bounds_.constFind(id);
    const int excess = bound == bounds_.constEnd() ? 0 : l->count() - *bound;
    if (excess > 0) l->model()->removeRows(0, excess);
    // Follow the newest line the way a terminal does, unless the operator scrolled back: then the
    // lines in view stay in view while older ones go.
    if (atEnd)
        l->scrollToBottom();
    else if (excess > 0) {
        const bool perItem = l->verticalScrollMode() == QAbstractItemView::ScrollPerItem;
        bar->setValue(std::max(0, top - excess * (perItem ? 1 : std::max(1, l->sizeHintForRow(0)))));
    }
    return l;
}

}  // namespace vr::gui
