#include "CommunicationWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "ScreenFit.h"
#include "ShowWindow.h"
#include "StatusStrip.h"
#include "platform/Registry.h"
#include "protocol/Command.h"

namespace vr::gui {

using namespace dialogs::comm;

namespace {

QPushButton* Button(const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    // No button of this window is a default button: Enter belongs to the port box.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

}  // namespace

CommunicationWindow::CommunicationWindow(camera::Services& services, dialogs::CommunicationHooks hooks,
                                         dialogs::LogFolderStore folder, bool shutdownWasClean, QWidget* parent)
    : QDialog(parent), services_(services) {
    setWindowTitle("Communication");
    setObjectName(QString::number(kTemplateId));
    Build();
    logic_ = std::make_unique<dialogs::CCommunicationDialog>(services_, controls_, *this, std::move(hooks),
                                                             std::move(folder), shutdownWasClean);
    logic_->Init();
    Wire();
}

CommunicationWindow::~CommunicationWindow() {
    // Still open when the tool ends: its place is kept all the same.
    if (isVisible()) RememberPlace();
    logic_.reset();
}

QGroupBox* CommunicationWindow::BuildLineStatus() {
    auto* lineStatus = new QGroupBox("Line Status", this);
    auto* icon = new QLabel(lineStatus);
    auto* statusText = new QLabel("Offline", lineStatus);
    auto* lineLayout = new QHBoxLayout(lineStatus);
    lineLayout->addWidget(icon);
    lineLayout->addWidget(statusText, 1);
    controls_.Bind(kStatusIcon, icon);
    controls_.Bind(kStatusText, statusText);
    return lineStatus;
}

QGroupBox* CommunicationWindow::BuildPortGroup() {
    auto* portGroup = new QGroupBox("Communication Port", this);
    auto* category = new QComboBox(portGroup);
    ports_ = new QComboBox(portGroup);
    // A device path that no listing finds (a pseudo-terminal, a udev alias) can be typed.
    ports_->setEditable(true);
    ports_->setInsertPolicy(QComboBox::NoInsert);
    ports_->lineEdit()->setPlaceholderText(tr("or type a device path"));
    // Device paths are long (/dev/serial/by-id/...); show them whole.
    ports_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ports_->setMinimumContentsLength(28);
    auto* baud = new QComboBox(portGroup);
    auto* autoButton = Button("Auto", portGroup);
    auto* portForm = new QFormLayout(portGroup);
    portForm->addRow("Category", category);
    portForm->addRow("Port Name", ports_);
    auto* baudRow = new QHBoxLayout;
    baudRow->addWidget(baud, 1);
    baudRow->addWidget(autoButton);
    portForm->addRow("Baud Rate", baudRow);
    auto* reconnect = Button("Reconnect", portGroup);
    reconnect->setObjectName("reconnect");
    reconnect->setToolTip(tr("Open the port again and look for the camera, after an adapter was plugged back in"));
    connect(reconnect, &QPushButton::clicked, this, &CommunicationWindow::reconnectRequested);
    portForm->addRow(QString(), reconnect);
    autoReconnect_ = new QCheckBox(tr("Reconnect by itself when the port is back"), portGroup);
    autoReconnect_->setObjectName("autoReconnect");
    autoReconnect_->setToolTip(tr("When the adapter is plugged back in, reconnect and read the camera without asking"));
    std::string stored;
    services_.registry.ReadNamedText(platform::kAutoReconnectName, stored);
    autoReconnect_->setChecked(stored == "1");
    connect(autoReconnect_, &QCheckBox::toggled, this,
            [this](bool on) { services_.registry.WriteNamedText(platform::kAutoReconnectName, on ? "1" : "0"); });
    portForm->addRow(QString(), autoReconnect_);
    controls_.Bind(kCategory, category);
    controls_.Bind(kPortName, ports_);
    controls_.Bind(kBaudRate, baud);
    controls_.Bind(kAuto, autoButton);
    return portGroup;
}

QGroupBox* CommunicationWindow::BuildFilesGroup() {
    auto* files = new QGroupBox("Files", this);
    auto* writeFile = Button("Write To File...", files);
    auto* readFile = Button("Read To FIle....", files);
    // The desktop's icon theme where it has one (scalable, crisp at any scale), else the style's own.
    writeFile->setIcon(QIcon::fromTheme("document-save", style()->standardIcon(QStyle::SP_DialogSaveButton)));
    readFile->setIcon(QIcon::fromTheme("document-open", style()->standardIcon(QStyle::SP_DialogOpenButton)));
    auto* filesLayout = new QHBoxLayout(files);
    filesLayout->addWidget(writeFile);
    filesLayout->addWidget(readFile);
    controls_.Bind(kWriteSettingsFile, writeFile);
    controls_.Bind(kReadSettingsFile, readFile);
    return files;
}

QGroupBox* CommunicationWindow::BuildCurrentArea() {
    auto* current = new QGroupBox("Current Area", this);
    auto* areaName = new QLabel(current);
    areaName->setFrameShape(QFrame::StyledPanel);
    areaName->setMinimumWidth(fontMetrics().horizontalAdvance("User 3 Data") + 16);
    auto* getArea = Button("Get Area", current);
    auto* currentLayout = new QHBoxLayout(current);
    currentLayout->addWidget(areaName, 1);
    currentLayout->addWidget(getArea);
    controls_.Bind(kAreaName, areaName);
    controls_.Bind(kGetArea, getArea);
    return current;
}

QGroupBox* CommunicationWindow::BuildAreas() {
    auto* areas = new QGroupBox("Factory And User Setting In Camera", this);
    auto* area = new QComboBox(areas);
    auto* store = Button("Store", areas);
    auto* load = Button("Load", areas);
    auto* areasLayout = new QHBoxLayout(areas);
    areasLayout->addWidget(area, 1);
    areasLayout->addWidget(store);
    areasLayout->addWidget(load);
    controls_.Bind(kArea, area);
    controls_.Bind(kStore, store);
    controls_.Bind(kLoad, load);
    return areas;
}

QGroupBox* CommunicationWindow::BuildMessages() {
    auto* messagesGroup = new QGroupBox("ControlTool Message", this);
    auto* messages = new QListWidget(messagesGroup);
    messages->setSelectionMode(QAbstractItemView::NoSelection);
    messages->setUniformItemSizes(true);
    messages->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    messages->setMinimumHeight(fontMetrics().height() * 8);
    auto* writeLog = Button("Write To File", messagesGroup);
    auto* clear = Button("Clear", messagesGroup);
    auto* messageLayout = new QGridLayout(messagesGroup);
    messageLayout->addWidget(messages, 0, 0, 3, 1);
    messageLayout->addWidget(writeLog, 0, 1);
    messageLayout->addWidget(clear, 1, 1);
    messageLayout->setRowStretch(2, 1);
    messageLayout->setColumnStretch(0, 1);
    controls_.Bind(kMessages, messages);
    controls_.Bind(kWriteLog, writeLog);
    controls_.Bind(kClearLog, clear);
    return messagesGroup;
}

void CommunicationWindow::Build() {
    auto* left = new QVBoxLayout;
    left->addWidget(BuildLineStatus());
    left->addWidget(BuildPortGroup());
    left->addWidget(BuildFilesGroup());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildCurrentArea());
    right->addWidget(BuildAreas());
    right->addWidget(BuildMessages(), 1);
    strip_ = new StatusStrip(this);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns, 1);
    outer->addWidget(strip_);
    controls_.Bind(kStrip, strip_);
    controls_.SetPicture(kStatusIcon, kIconOffline);
}

void CommunicationWindow::Wire() {
    // A nested event loop (a box of the engine) must not start a second command inside one.
    auto idle = [this] { return !services_.engine.Busy(); };
    auto* logic = logic_.get();
    auto onClick = [this, idle](uint32_t id, void (dialogs::CCommunicationDialog::*handler)()) {
        connect(controls_.As<QPushButton>(id), &QPushButton::clicked, this, [this, idle, handler] {
            if (idle()) (logic_.get()->*handler)();
        });
    };
    onClick(kWriteSettingsFile, &dialogs::CCommunicationDialog::OnWriteSettingsFile);
    onClick(kReadSettingsFile, &dialogs::CCommunicationDialog::OnReadSettingsFile);
    onClick(kGetArea, &dialogs::CCommunicationDialog::OnGetArea);
    onClick(kStore, &dialogs::CCommunicationDialog::OnStore);
    onClick(kLoad, &dialogs::CCommunicationDialog::OnLoad);
    onClick(kWriteLog, &dialogs::CCommunicationDialog::OnWriteLog);
    onClick(kClearLog, &dialogs::CCommunicationDialog::OnClearLog);
    // activated: only the operator's choices, never the program's own selections.
    connect(controls_.As<QComboBox>(kCategory), &QComboBox::activated, this, [logic, idle] {
        if (idle()) logic->OnCategoryChanged();
    });
    connect(controls_.As<QComboBox>(kArea), &QComboBox::activated, this, [logic, idle] {
        if (idle()) logic->OnAreaChanged();
    });
    connect(ports_, &QComboBox::activated, this, [logic, idle] {
        if (idle()) logic->OnPortChanged();
    });
    connect(ports_->lineEdit(), &QLineEdit::returnPressed, this, [this, logic, idle] {
        const QString text = ports_->currentText().trimmed();
        // A listed name is the list's business (activated); anything else is a device path.
        if (idle() && ports_->findText(text) < 0) logic->OnPortTyped(text.toStdString());
    });
}

bool CommunicationWindow::AutoReconnect() const {
    return autoReconnect_ != nullptr && autoReconnect_->isChecked();
}

void CommunicationWindow::ShowWindow(bool show) {
    if (show && !placed_) Place();
    ShowOrHide(*this, show);
}

void CommunicationWindow::Place() {
    placed_ = true;
    std::string stored;
    if (services_.registry.ReadNamedText(platform::kCommunicationWindowPlaceName, stored) == 1 && !stored.empty() &&
        restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(stored)))) {
        FitIntoScreen(*this);
        return;
    }
    // The first time: beside the main window where the screen has room, not over it.
    QWidget* main = parentWidget();
    if (main == nullptr || screen() == nullptr) return;
    adjustSize();
    const QMargins frame = FrameMargins(*this);
    move(PlaceBeside(main->frameGeometry(), size().grownBy(frame), screen()->availableGeometry()));
    FitIntoScreen(*this);
}

void CommunicationWindow::RememberPlace() {
    services_.registry.WriteNamedText(platform::kCommunicationWindowPlaceName, saveGeometry().toBase64().toStdString());
}

void CommunicationWindow::hideEvent(QHideEvent* event) {
    // Closing hides the window; its place is kept for the next start.
    if (!event->spontaneous()) RememberPlace();
    QDialog::hideEvent(event);
}

void CommunicationWindow::reject() {
    logic_->OnClose();
}

}  // namespace vr::gui
