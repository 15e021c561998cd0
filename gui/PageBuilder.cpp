#include "PageBuilder.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

#include "ColumnLayout.h"
#include "SpinButtons.h"
#include "WidgetBinding.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

namespace vr::gui {

namespace {

constexpr int kColumns = 3;
constexpr int kMostColumns = 4;

const protocol::ParameterDef* FindDef(uint32_t ctrlId) {
    const protocol::ParameterDef* defs = protocol::ParameterDefs();
    for (size_t i = 0; i < protocol::kParameterRowCount; ++i)
        if (defs[i].ctrlId == ctrlId && defs[i].layout != 116) return &defs[i];
    return nullptr;
}

// Reports an edit losing focus to another control or another window of the tool: not to a message
// box or a list that opened over it, which would apply a value in the middle of another control's
// handling, and not to another program, where the operator may only be looking something up.
class FocusWatcher : public QObject {
public:
    // The window that takes the focus is already active when the edit hears of it.
    static bool ToAnotherWindowOfTheTool(const QWidget* edit) {
        const QWidget* active = QApplication::activeWindow();
        return active != nullptr && active != edit->window() && QApplication::activeModalWidget() == nullptr &&
               QApplication::activePopupWidget() == nullptr;
    }

    FocusWatcher(uint32_t id, std::function<void(uint32_t)> lost, QObject* parent)
        : QObject(parent), id_(id), lost_(std::move(lost)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut && lost_) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // A window greyed for a long operation takes the focus away too; that is no edit.
            const auto* edit = qobject_cast<const QWidget*>(watched);
            if (edit != nullptr && edit->isEnabled() && reason != Qt::PopupFocusReason &&
                (reason != Qt::ActiveWindowFocusReason || ToAnotherWindowOfTheTool(edit)))
                lost_(id_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    uint32_t id_;
    std::function<void(uint32_t)> lost_;
};

// A caption as the font can draw it: the full-width tilde of "30～95%" becomes "~" where the
// desktop has no font with that glyph, instead of an empty box.
QString DisplayText(const QWidget* widget, const std::string& text) {
    QString caption = QString::fromUtf8(text.c_str());
    const QChar fullWidthTilde(0xFF5E);
    if (caption.contains(fullWidthTilde) && !widget->fontMetrics().inFont(fullWidthTilde))
        caption.replace(fullWidthTilde, '~');
    return caption;
}

QWidget* MakeControl(uint32_t id, QWidget* parent, WidgetBinding& controls, const PageEvents& events,
                     QHBoxLayout* row) {
    const ui::PageControl* c = ui::FindControl(id);
    if (c == nullptr) return nullptr;
    const QString tip = ParameterToolTip(id);
    QWidget* made = nullptr;
    switch (c->type) {
        case ui::CtrlType::Edit: {
            auto* edit = new QLineEdit(parent);
            edit->setReadOnly(c->readOnly);
            if (c->spinId != 0) {
                // Room for a 32-bit number, less where the window is narrow; the up-down buttons stand
                // right beside it.
                edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                const int digit = edit->fontMetrics().horizontalAdvance('0');
                edit->setMinimumWidth(digit * 6 + 12);
                edit->setMaximumWidth(digit * 11 + 12);
            }
            edit->installEventFilter(new FocusWatcher(id, events.editLostFocus, edit));
            row->addWidget(edit, c->spinId != 0 ? 0 : 1);
            made = edit;
            if (c->spinId != 0) {
                auto* spin = new SpinButtons(parent);
                spin->SetBuddy(edit);
                int32_t low = 0, high = 100;
                ui::RowSpinRange(c->spinId, low, high);
                spin->SetRange(low, high);
                spin->setFixedHeight(edit->sizeHint().height());
                spin->setToolTip(tip);
                row->setSpacing(0);
                const uint32_t spinId = c->spinId;
                QObject::connect(spin, &SpinButtons::stepRequested, spin, [events, spinId](int delta) {
                    if (events.spinDelta) events.spinDelta(spinId, delta);
                });
                controls.Bind(spinId, spin);
                row->addWidget(spin);
            }
            break;
        }
        case ui::CtrlType::Combo: {
            auto* combo = new QComboBox(parent);
            for (const auto& item : ui::TemplateItems(id)) combo->addItem(QString::fromStdString(item));
            combo->setCurrentIndex(-1);
            combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            QObject::connect(combo, &QComboBox::activated, combo, [events, id] {
                if (events.comboChanged) events.comboChanged(id);
            });
            row->addWidget(combo, 1);
            made = combo;
            break;
        }
        case ui::CtrlType::Button: {
            auto* button = new QPushButton(QString::fromUtf8(c->text), parent);
            button->setAutoDefault(false);
            QObject::connect(button, &QPushButton::clicked, button, [events, id] {
                if (events.buttonClicked) events.buttonClicked(id);
            });
            row->addWidget(button);
            made = button;
            break;
        }
        case ui::CtrlType::Static: {
            auto* label = new QLabel(QString::fromUtf8(c->text), parent);
            label->setFrameShape(QFrame::StyledPanel);
            label->setFrameShadow(QFrame::Sunken);
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance("0000000.0000hz") + 8);
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            row->addWidget(label, 1);
            made = label;
            break;
        }
        default:
            return nullptr;
    }
    if (!tip.isEmpty()) made->setToolTip(tip);
    controls.Bind(id, made);
    return made;
}

QWidget* BuildGroup(const ui::GroupLayout& group, WidgetBinding& controls, const PageEvents& events, QWidget* parent) {
    QWidget* box = nullptr;
    if (group.groupId != 0) {
        auto* g = new QGroupBox(DisplayText(parent, group.caption), parent);
        controls.Bind(group.groupId, g);
        box = g;
    } else {
        box = new QWidget(parent);
    }
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(1, 1);
    int r = 0;
    for (const auto& row : group.rows) {
        auto* line = new QHBoxLayout;
        line->setSpacing(6);
        QWidget* first = nullptr;
        bool stretches = false;
        for (uint32_t id : row.controls) {
            // Each control with its up-down buttons in a pair of its own, pairs spaced apart.
            auto* pair = new QHBoxLayout;
            pair->setSpacing(0);
            QWidget* w = MakeControl(id, box, controls, events, pair);
            if (w == nullptr) {
                delete pair;
                continue;
            }
            if (first == nullptr) first = w;
            const ui::PageControl* c = ui::FindControl(id);
            const bool numeric = c->type == ui::CtrlType::Edit && c->spinId != 0;
            stretches = stretches || !numeric;
            line->addLayout(pair, numeric ? 0 : 1);
        }
        // Rows of numbers keep their numbers together at the left.
        if (!stretches) line->addStretch(1);
        if (row.labelId != 0) {
            auto* label = new QLabel(DisplayText(box, row.label), box);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            if (first != nullptr) label->setBuddy(first);
            controls.Bind(row.labelId, label);
            grid->addWidget(label, r, 0);
            grid->addLayout(line, r, 1);
        } else {
            grid->addLayout(line, r, 0, 1, 2);
        }
        ++r;
    }
    return box;
}

}  // namespace

QString ParameterToolTip(uint32_t ctrlId) {
    const protocol::ParameterDef* def = FindDef(ctrlId);
    if (def == nullptr) return {};
    const QString command = QString::fromStdString(protocol::GetCommandName(def->cmdId));
    switch (def->controlKind) {
        case protocol::ControlKind::SpinEdit:
            return QString("Camera command %1, range %2 to %3").arg(command).arg(def->minValue).arg(def->maxValue);
        case protocol::ControlKind::Combo: {
            const int n = static_cast<int>(ui::TemplateItems(ctrlId).size());
            return QString("Camera command %1, one of %2 items").arg(command).arg(n);
        }
        case protocol::ControlKind::Button:
            return QString("Camera command %1").arg(command);
    }
    return {};
}

QWidget* BuildPage(const ui::PageLayout& layout, WidgetBinding& controls, const PageEvents& events, int maxHeight,
                   QWidget* parent) {
    auto* scroll = new QScrollArea(parent);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget(scroll);
    page->setObjectName(QString::number(layout.page.templateId));

    std::vector<QWidget*> boxes;
    std::vector<int> heights;
    for (const auto& group : layout.groups) {
        boxes.push_back(BuildGroup(group, controls, events, page));
        heights.push_back(boxes.back()->sizeHint().height());
    }
    // Three columns read best; a page too tall for the screen that way gets a fourth where the width
    // holds it. A narrow window gets fewer.
    const bool tall = TallestRun(heights, BalanceColumns(heights, kColumns)) > maxHeight;
    auto* columns = new ColumnLayout(tall ? kMostColumns : kColumns, page);
    for (QWidget* box : boxes) columns->addWidget(box);
    scroll->setWidget(page);
    return scroll;
}

}  // namespace vr::gui
