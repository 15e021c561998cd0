#include "HistoryWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>

#include "camera/CameraSession.h"
#include "journal/History.h"
#include "journal/Journal.h"
#include "journal/Recorder.h"
#include "journal/Revert.h"
#include "platform/Platform.h"

namespace vr::gui {
namespace {

constexpr int kNow = -1;  // the item data of "Camera as last read"

QTableWidget* Table(const QStringList& headers, QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->setAlternatingRowColors(true);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

HistoryWindow::HistoryWindow(journal::Journal& journal, camera::CameraSession& session,
                             std::function<void()> afterRevert, QWidget* parent)
    : QDialog(parent), journal_(journal), session_(session), afterRevert_(std::move(afterRevert)) {
    setObjectName("history");
    setWindowTitle("History");
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    summary_->setToolTip(Text(journal_.Path()));
    timeline_ = Table({"#", "Time (UTC)", "Kind", "What", "By", "Program"}, this);
    from_ = new QComboBox(this);
    to_ = new QComboBox(this);
    differences_ = Table({"Name", "From", "To"}, this);

    auto* choose = new QFormLayout;
    choose->addRow("From:", from_);
    choose->addRow("To:", to_);
    auto* lower = new QWidget(this);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addLayout(choose);
    lowerLayout->addWidget(differences_, 1);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(timeline_);
    split->addWidget(lower);

    auto* buttons = new QDialogButtonBox(this);
    revert_ = buttons->addButton("Revert", QDialogButtonBox::ActionRole);
    revert_->setToolTip("Write the values of the \"From\" snapshot that differ back to the camera");
    QPushButton* reload = buttons->addButton("Reload", QDialogButtonBox::ResetRole);
    buttons->addButton(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(reload, &QPushButton::clicked, this, &HistoryWindow::Reload);
    connect(revert_, &QPushButton::clicked, this, [this] { Revert(); });
    connect(from_, &QComboBox::currentIndexChanged, this, &HistoryWindow::Compare);
    connect(to_, &QComboBox::currentIndexChanged, this, &HistoryWindow::Compare);
    // A snapshot picked in the timeline becomes the point to compare from.
    connect(timeline_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        const int index = from_->findData(timeline_->item(row, 0)->data(Qt::UserRole));
        if (index >= 0) from_->setCurrentIndex(index);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(split, 1);
    layout->addWidget(buttons);
    resize(820, 560);
    Reload();
}

void HistoryWindow::Reload() {
    journal::History history;
    std::string error;
    std::vector<journal::Entry> entries;
    const std::string link = journal::LinkName(session_);
    journal_.Flush();
    if (history.Open(journal_.Path(), error)) entries = history.List({link, {}});
    const QString count = entries.size() == 1 ? "1 entry" : QString("%1 entries").arg(entries.size());
    summary_->setText(error.empty() ? QString("%1 for the camera on %2.").arg(count, Text(link)) : Text(error));
    snapshots_.clear();
    timeline_->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
        journal::Entry& e = entries[static_cast<size_t>(row)];
        auto* id = new QTableWidgetItem(QString::number(e.id));
        id->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(e.id));
        timeline_->setItem(row, 0, id);
        timeline_->setItem(row, 1, new QTableWidgetItem(Text(e.time)));
        timeline_->setItem(row, 2, new QTableWidgetItem(Text(e.kind)));
        timeline_->setItem(row, 3, new QTableWidgetItem(Text(journal::Describe(e))));
        timeline_->setItem(row, 4, new QTableWidgetItem(Text(e.origin.user + "@" + e.origin.host)));
        timeline_->setItem(row, 5, new QTableWidgetItem(Text(e.origin.program)));
        journal::Entry snapshot;
        if (e.kind == journal::kind::kSnapshot && history.Snapshot(e.id, snapshot, error))
            snapshots_.push_back(std::move(snapshot));
    }
    timeline_->resizeColumnsToContents();
    timeline_->scrollToBottom();
    for (QComboBox* box : {from_, to_}) {
        const QSignalBlocker block(box);
        box->clear();
        for (size_t i = 0; i < snapshots_.size(); ++i)
            box->addItem(QString("Snapshot %1, %2").arg(snapshots_[i].id).arg(Text(snapshots_[i].time)),
                         QVariant::fromValue<qlonglong>(snapshots_[i].id));
        box->addItem("The camera as last read", kNow);
    }
    // By default: the last snapshot before the newest, against the camera.
    from_->setCurrentIndex(std::max(0, static_cast<int>(snapshots_.size()) - 2));
    to_->setCurrentIndex(to_->count() - 1);
    Compare();
}

std::vector<std::string> HistoryWindow::Chosen(const QComboBox* box) const {
    const qlonglong id = box->currentData().toLongLong();
    if (id == kNow) return journal::LastReadValues(session_);
    for (const journal::Entry& s : snapshots_)
        if (s.id == id) return s.values;
    return {};
}

void HistoryWindow::Compare() {
    const auto differences = journal::Compare(Chosen(from_), Chosen(to_));
    differences_->setRowCount(static_cast<int>(differences.size()));
    for (int row = 0; row < static_cast<int>(differences.size()); ++row) {
        const journal::Difference& d = differences[static_cast<size_t>(row)];
        differences_->setItem(row, 0, new QTableWidgetItem(Text(d.name)));
        differences_->setItem(row, 1, new QTableWidgetItem(d.a ? Text(*d.a) : QString("(none)")));
        differences_->setItem(row, 2, new QTableWidgetItem(d.b ? Text(*d.b) : QString("(none)")));
    }
    revert_->setEnabled(from_->currentData().toLongLong() != kNow && !snapshots_.empty());
}

bool HistoryWindow::Revert() {
    const auto changes = journal::RevertChanges(session_, Chosen(from_), journal::LastReadValues(session_));
    platform::IPlatform& platform = session_.Services().platform;
    if (changes.empty()) {
        platform.MessageBox("The camera holds the values of this snapshot already.", platform::kAppTitle,
                            platform::MsgIcon::Information);
        return true;
    }
    const std::string question = "Write " + std::to_string(changes.size()) + " values of " +
                                 from_->currentText().toStdString() + " back to the camera?";
    if (platform.MessageBox(question, platform::kAppTitle, platform::MsgIcon::Question, platform::MsgButtons::YesNo) !=
        platform::MsgResult::Yes)
        return false;
    const bool all = journal::ApplyRevert(session_, changes);
    if (afterRevert_) afterRevert_();
    Reload();
    return all;
}

}  // namespace vr::gui
