#include "CamerasWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/SessionOnLink.h"
#include "fleet/RecordedCamera.h"
#include "journal/Journal.h"
#include "journal/Recorder.h"
#include "link/CommSetting.h"
#include "protocol/Command.h"

namespace vr::gui {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(protocol::Command::Printable(text));
}

fleet::OpenedCamera OpenOnLink(const fleet::CameraEntry& entry, platform::IPlatform& platform) {
    auto opened = std::make_shared<app::SessionOnLink>(platform);
    std::string why;
    if (!opened->Choose(entry.mode, entry.port, entry.portIndex, why)) return {nullptr, nullptr, why};
    return {opened, &opened->Session(), ""};
}

const char* const kLinkNames[] = {"com", "cl2000", "cl2001", "cl11"};

// What the operator pressed, as the summary line names it.
QString RunName(fleet::Operation operation) {
    switch (operation) {
        case fleet::Operation::Overview:
            return "Refresh";
        case fleet::Operation::Apply:
            return "Apply Recipe";
        case fleet::Operation::Snapshot:
            return "Snapshot All";
        default:
            return QString::fromStdString(fleet::OperationName(operation));
    }
}

}  // namespace

CamerasWindow::CamerasWindow(fleet::Inventory inventory, const QString& path, QWidget* parent,
                             journal::Journal* journal)
    : QWidget(parent, Qt::Window), inventory_(std::move(inventory)), journal_(journal) {
    setObjectName("cameras");
    setWindowTitle("Cameras - " + QFileInfo(path).fileName());
    setAttribute(Qt::WA_DeleteOnClose, false);
    launcher_ = [](const QStringList& arguments) {
        return QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
    };
    // The user lookup is not thread-safe: once here, not on the cameras' threads.
    runner_ = std::make_unique<fleet::FleetRunner>([journal, origin = journal::ThisOrigin("vr8200-control")](
                                                       const fleet::CameraEntry& entry, platform::IPlatform& platform) {
        return fleet::WithRecorder(OpenOnLink(entry, platform), journal, origin);
    });

    table_ = new QTableWidget(static_cast<int>(inventory_.cameras.size()), kColumnCount, this);
    table_->setHorizontalHeaderLabels(
        {"Position", "Link", "Lamp", "Model", "Camera ID", "Memory Area", "Result", "Progress"});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    for (int row = 0; row < table_->rowCount(); ++row) {
        const fleet::CameraEntry& camera = inventory_.cameras[static_cast<size_t>(row)];
        const QString cells[] = {Text(camera.name), Text(camera.LinkText()), "", "", "", "", "", ""};
        for (int column = 0; column < kColumnCount; ++column)
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
        auto* bar = new QProgressBar(table_);
        bar->setRange(0, 100);
        bar->setValue(0);
        table_->setCellWidget(row, kProgress, bar);
    }
    // Every column as wide as what it holds, the result taking the rest.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(kResult, QHeaderView::Stretch);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OpenCamera(row); });

    summary_ = new QLabel("Press Refresh to read every camera.", this);
    details_ = new QPlainTextEdit(this);
    details_->setReadOnly(true);
    details_->setObjectName("details");
    refresh_ = new QPushButton("&Refresh", this);
    apply_ = new QPushButton("&Apply Recipe...", this);
    snapshot_ = new QPushButton("&Snapshot All...", this);
    stop_ = new QPushButton("S&top", this);
    stop_->setEnabled(false);
    connect(refresh_, &QPushButton::clicked, this, &CamerasWindow::Refresh);
    connect(apply_, &QPushButton::clicked, this, &CamerasWindow::ApplyRecipe);
    connect(snapshot_, &QPushButton::clicked, this, &CamerasWindow::SnapshotAll);
    connect(stop_, &QPushButton::clicked, this, [this] { runner_->Stop(); });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {refresh_, apply_, snapshot_, stop_}) buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_, 3);
    layout->addLayout(buttons);
    layout->addWidget(details_, 1);
    resize(900, 480);
}

CamerasWindow::~CamerasWindow() {
    runner_->Stop();
    if (worker_.joinable()) worker_.join();
}

QProgressBar* CamerasWindow::RowProgress(int row) const {
    return qobject_cast<QProgressBar*>(table_->cellWidget(row, kProgress));
}

bool CamerasWindow::Start(const fleet::FleetRequest& request) {
    if (running_) return false;
    if (worker_.joinable()) worker_.join();
    request_ = request;
    reports_.assign(inventory_.cameras.size(), fleet::CameraReport());
    for (int row = 0; row < table_->rowCount(); ++row) {
        RowProgress(row)->setValue(0);
        RowProgress(row)->setFormat("%p%");
        table_->item(row, kResult)->setText("");
    }
    details_->clear();
    summary_->setText(
        QString("%1: %2 cameras at once\u2026").arg(RunName(request.operation)).arg(inventory_.cameras.size()));
    SetBusy(true);
    running_ = true;
    worker_ = std::thread([this] {
        runner_->Run(inventory_.cameras, request_, this);
        QMetaObject::invokeMethod(
            this, [this] { Ended(); }, Qt::QueuedConnection);
    });
    return true;
}

void CamerasWindow::Refresh() {
    fleet::FleetRequest request;
    request.operation = fleet::Operation::Overview;
    Start(request);
}

void CamerasWindow::ApplyRecipe() {
    const QString file =
        QFileDialog::getOpenFileName(this, "Apply Recipe to Every Camera", {}, "Camera setting data (*.cam)");
    if (file.isEmpty()) return;
    fleet::FleetRequest request;
    request.operation = fleet::Operation::Apply;
    request.file = file.toStdString();
    Start(request);
}

void CamerasWindow::SnapshotAll() {
    const QString folder = QFileDialog::getExistingDirectory(this, "Snapshot Every Camera Into");
    if (folder.isEmpty()) return;
    fleet::FleetRequest request;
    request.operation = fleet::Operation::Snapshot;
    request.folder = folder.toStdString();
    Start(request);
}

QStringList CamerasWindow::OpenArguments(int row) const {
    if (row < 0 || row >= static_cast<int>(inventory_.cameras.size())) return {};
    const fleet::CameraEntry& camera = inventory_.cameras[static_cast<size_t>(row)];
    QStringList arguments =
        camera.mode == link::ComPort || camera.mode == link::Network
            ? QStringList{"--port", QString::fromStdString(camera.port)}
            : QStringList{"--link", kLinkNames[camera.mode], "--port-index", QString::number(camera.portIndex)};
    if (journal_ != nullptr)
        arguments << "--journal" << QString::fromStdString(journal_->Path());
    else
        arguments << "--no-journal";
    return arguments;
}

void CamerasWindow::OpenCamera(int row) {
    const QStringList arguments = OpenArguments(row);
    if (arguments.isEmpty()) return;
    if (!launcher_(arguments))
        summary_->setText("The desktop tool could not be started for " + table_->item(row, kPosition)->text() + ".");
}

void CamerasWindow::OnProgress(size_t index, const std::string& text, int percent) {
    const QString shown = QString::fromStdString(text);
    QMetaObject::invokeMethod(
        this,
        [this, index, shown, percent] {
            QProgressBar* bar = RowProgress(static_cast<int>(index));
            if (percent >= 0) bar->setValue(percent);
            bar->setToolTip(shown);
        },
        Qt::QueuedConnection);
}

void CamerasWindow::OnFinished(size_t index, const fleet::CameraReport& report) {
    QMetaObject::invokeMethod(
        this, [this, index, report] { ShowReport(static_cast<int>(index), report); }, Qt::QueuedConnection);
}

void CamerasWindow::ShowReport(int row, const fleet::CameraReport& report) {
    reports_[static_cast<size_t>(row)] = report;
    const bool online = report.online;
    QTableWidgetItem* lamp = table_->item(row, kLamp);
    lamp->setText(online ? kOnline : kOffline);
    lamp->setForeground(online ? QColor(0, 128, 0) : QColor(192, 0, 0));
    table_->item(row, kModel)->setText(Text(report.model));
    table_->item(row, kCameraId)->setText(Text(report.cameraId) + (report.idMismatch ? " (not the expected one)" : ""));
    table_->item(row, kArea)->setText(report.area ? QString::number(*report.area) : QString());
    table_->item(row, kResult)->setText(Text(report.result));
    table_->item(row, kResult)->setForeground(report.Ok() ? palette().text() : QBrush(QColor(192, 0, 0)));
    RowProgress(row)->setValue(100);
    RowProgress(row)->setFormat(report.Ok() ? "done" : "failed");
    ShowDetails();
}

void CamerasWindow::ShowDetails() {
    QString text;
    for (const fleet::CameraReport& r : reports_) {
        QString lines;
        for (const auto& d : r.differences)
            lines += "  " + Text(d.name) + " file=" + Text(d.file.value_or("")) +
                     " camera=" + Text(d.camera.value_or("")) + "\n";
        for (const auto& line : r.refused) lines += "  " + Text(line) + "\n";
        if (!lines.isEmpty()) text += Text(r.name) + ":\n" + lines;
    }
    details_->setPlainText(text);
}

void CamerasWindow::Ended() {
    running_ = false;
    if (worker_.joinable()) worker_.join();
    SetBusy(false);
    int failed = 0;
    for (const auto& r : reports_) failed += r.Ok() ? 0 : 1;
    const QString run = RunName(request_.operation);
    summary_->setText(failed == 0
                          ? QString("%1 done on every camera (%2).").arg(run).arg(reports_.size())
                          : QString("%1 done: %2 of %3 cameras failed.").arg(run).arg(failed).arg(reports_.size()));
    emit finished();
}

void CamerasWindow::SetBusy(bool busy) {
    for (QPushButton* b : {refresh_, apply_, snapshot_}) b->setEnabled(!busy);
    stop_->setEnabled(busy);
}

void CamerasWindow::closeEvent(QCloseEvent* event) {
    // The cameras stop between two commands; the window goes once they have.
    runner_->Stop();
    if (worker_.joinable()) worker_.join();
    running_ = false;
    SetBusy(false);
    event->accept();
}

}  // namespace vr::gui
