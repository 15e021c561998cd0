#include "TerminalWindow.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ShowWindow.h"
#include "StatusStrip.h"
#include "protocol/Command.h"

namespace vr::gui {

using namespace dialogs::terminal;

namespace {

// Up and Down in the command edit go through the commands sent before.
class HistoryKeys : public QObject {
public:
    HistoryKeys(dialogs::CTerminalDialog& logic, QObject* parent) : QObject(parent), logic_(logic) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                logic_.OnHistory(key == Qt::Key_Up ? -1 : 1);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    dialogs::CTerminalDialog& logic_;
};

}  // namespace

TerminalWindow::TerminalWindow(camera::Services& services, dialogs::LogFolderStore folder, QWidget* parent,
                               dialogs::CTerminalDialog::Clock clock)
    : QDialog(parent), services_(services) {
    setWindowTitle("RS-232C TERMINAL");
    setObjectName(QString::number(kTemplateId));
    setSizeGripEnabled(true);

    auto* edit = new QLineEdit(this);
    edit->setAccessibleName(tr("Command"));
    auto* list = new QListWidget(this);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setUniformItemSizes(true);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Time stamps line up in a fixed-pitch font.
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* close = new QPushButton("Close", this);
    auto* send = new QPushButton("Send", this);
    auto* clear = new QPushButton("Clear", this);
    auto* save = new QPushButton("Save", this);
    for (QPushButton* b : {close, clear, save}) b->setAutoDefault(false);
    send->setDefault(true);
    strip_ = new StatusStrip(this);

    // The arrangement of the original rectangles: the edit and the list take the width, the buttons
    // stand in a column at the right (Close level with the edit), the strip runs along the bottom.
    auto* grid = new QGridLayout;
    grid->addWidget(edit, 0, 0);
    grid->addWidget(close, 0, 1);
    grid->addWidget(list, 1, 0, 4, 1);
    grid->addWidget(send, 1, 1);
    grid->addWidget(clear, 2, 1);
    grid->addWidget(save, 3, 1);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(0, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid, 1);
    outer->addWidget(strip_);
    resize(fontMetrics().averageCharWidth() * 80, fontMetrics().height() * 24);

    controls_.Bind(kEdit, edit);
    controls_.Bind(kSend, send);
    controls_.Bind(kList, list);
    controls_.Bind(kClear, clear);
    controls_.Bind(kClose, close);
    controls_.Bind(kSave, save);
    controls_.Bind(kStrip, strip_);

    logic_ =
        std::make_unique<dialogs::CTerminalDialog>(services_, controls_, *this, std::move(folder), std::move(clock));
    logic_->Init();

    auto* logic = logic_.get();
    edit->installEventFilter(new HistoryKeys(*logic, edit));
    // Writing on the line while a command waits for its reply would mix the two on the wire.
    connect(send, &QPushButton::clicked, this, [this, logic] {
        if (!services_.engine.Busy()) logic->OnSend();
    });
    connect(clear, &QPushButton::clicked, this, [logic] { logic->OnClear(); });
    connect(save, &QPushButton::clicked, this, [logic] { logic->OnSave(); });
    connect(close, &QPushButton::clicked, this, [logic] { logic->OnClose(); });
    setTabOrder(edit, send);
}

TerminalWindow::~TerminalWindow() {
    logic_.reset();
}

void TerminalWindow::ShowWindow(bool show) {
    ShowOrHide(*this, show);
}

void TerminalWindow::reject() {
    logic_->OnClose();
}

}  // namespace vr::gui
