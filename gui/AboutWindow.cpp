#include "AboutWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "LinkLabel.h"
#include "StatusStrip.h"
#include "identity/HelpFiles.h"
#include "identity/IdentityIds.h"

namespace vr::gui {

using namespace identity::about;

namespace {

QPushButton* Button(const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    // Enter closes the dialog; it never writes anything to the camera.
    b->setAutoDefault(false);
    return b;
}

QLabel* Value(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance("????????????????") + 8);
    return l;
}

}  // namespace

std::string DocumentationPath() {
    // Beside the installed program first, wherever the installation was moved; then where the build
    // was configured to install it; then the source tree of a build that was never installed.
    const QString relative =
        QDir(QCoreApplication::applicationDirPath()).filePath("../" VR_INSTALL_DATADIR "/doc/vr8200-control/README.md");
    return identity::ChooseDocumentation(
        {QDir::cleanPath(relative).toStdString(), VR_INSTALLED_DOCUMENTATION, VR_SOURCE_DOCUMENTATION});
}

identity::AboutSetup DesktopAboutSetup(bool factoryMode) {
    identity::AboutSetup setup;
    setup.factoryMode = factoryMode;
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    setup.helpFolder = (ec ? std::filesystem::path(".") : folder).string();
    setup.documentation = DocumentationPath();
    return setup;
}

AboutWindow::AboutWindow(camera::Services& services, identity::AboutSetup setup, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(identity::CAboutDialog::kTitle);
    Build();
    logic_ = std::make_unique<identity::CAboutDialog>(services, controls_, *this, std::move(setup));
    Wire();
    logic_->OnInitDialog();
}

AboutWindow::~AboutWindow() {
    logic_.reset();
}

QGridLayout* AboutWindow::BuildHeading() {
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
    auto* toolName = new QLabel(this);
    QFont bold = toolName->font();
    bold.setBold(true);
    toolName->setFont(bold);
    auto* version = new QLabel(this);
    auto* link = new LinkLabel(this);
    link->setToolTip(tr("Open the tool's documentation"));
    auto* heading = new QGridLayout;
    heading->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    heading->addWidget(toolName, 0, 1, 1, 2);
    heading->addWidget(new QLabel("Version:", this), 1, 1);
    heading->addWidget(version, 1, 2);
    heading->addWidget(link, 2, 1, 1, 2);
    heading->setColumnStretch(2, 1);
    controls_.Bind(kToolName, toolName);
    controls_.Bind(kToolVersion, version);
    controls_.Bind(kLink, link);
    return heading;
}

QGroupBox* AboutWindow::BuildCameraData() {
    auto* camera = new QGroupBox("Camera Data", this);
    auto* model = Value(camera);
    auto* firmware = Value(camera);
    auto* cameraId = Value(camera);
    auto* fpga = Value(camera);
    auto* deviceVersion = new QHBoxLayout;
    std::array<QLineEdit*, 4> fields{};
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) deviceVersion->addWidget(new QLabel(".", camera));
        // Not limited to one character: a camera's "10" must show whole, though only its first
        // character is written back.
        fields[i] = new QLineEdit(camera);
        fields[i]->setAlignment(Qt::AlignCenter);
        fields[i]->setFixedWidth(fields[i]->fontMetrics().horizontalAdvance("MM") + 12);
        fields[i]->setAccessibleName(QString("Device Version field %1").arg(i + 1));
        deviceVersion->addWidget(fields[i]);
    }
    auto* saveDeviceVersion = Button("Save Dev Ver", camera);
    deviceVersion->addWidget(saveDeviceVersion);
    deviceVersion->addStretch(1);
    auto* userId = new QLineEdit(camera);
    userId->setMinimumWidth(userId->fontMetrics().horizontalAdvance(QString(32, 'M')));
    auto* saveUserId = Button("Save User ID", camera);
    auto* userRow = new QHBoxLayout;
    userRow->addWidget(userId, 1);
    userRow->addWidget(saveUserId);
    auto* protect = new QCheckBox("Protect User ID", camera);
    auto* enableEdit = new QCheckBox("Enable To Edit User ID", camera);
    auto* lockRow = new QHBoxLayout;
    lockRow->addWidget(protect);
    lockRow->addWidget(enableEdit);
    lockRow->addStretch(1);
    auto* form = new QFormLayout(camera);
    form->addRow("Model Name", model);
    form->addRow("Firmware Version", firmware);
    form->addRow("FPGA Version", fpga);
    form->addRow("Camera ID", cameraId);
    form->addRow("Device Version", deviceVersion);
    form->addRow("User ID", userRow);
    form->addRow(QString(), lockRow);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(userRow))) label->setBuddy(userId);
    controls_.Bind(kModelName, model);
    controls_.Bind(kFirmware, firmware);
    controls_.Bind(kCameraId, cameraId);
    controls_.Bind(kFpga, fpga);
    for (size_t i = 0; i < fields.size(); ++i) controls_.Bind(kDeviceVersion[i], fields[i]);
    controls_.Bind(kSaveDeviceVersion, saveDeviceVersion);
    controls_.Bind(kUserId, userId);
    controls_.Bind(kSaveUserId, saveUserId);
    controls_.Bind(kProtectUserId, protect);
    controls_.Bind(kEnableUserIdEdit, enableEdit);
    return camera;
}

QGroupBox* AboutWindow::BuildHelp() {
    auto* help = new QGroupBox("Help", this);
    auto* helpFiles = new QComboBox(help);
    helpFiles->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    helpFiles->setMinimumContentsLength(24);
    auto* viewHelp = Button("View Help File", help);
    auto* helpLayout = new QFormLayout(help);
    auto* helpRow = new QHBoxLayout;
    helpRow->addWidget(helpFiles, 1);
    helpRow->addWidget(viewHelp);
    helpLayout->addRow("Help File", helpRow);
    if (auto* label = qobject_cast<QLabel*>(helpLayout->labelForField(helpRow))) label->setBuddy(helpFiles);
    controls_.Bind(kHelpFiles, helpFiles);
    controls_.Bind(kViewHelpFile, viewHelp);
    return help;
}

void AboutWindow::Build() {
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(BuildHeading());
    layout->addWidget(BuildCameraData());
    layout->addWidget(BuildHelp());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    auto* strip = new StatusStrip(this);
    layout->addWidget(strip);
    controls_.Bind(kStrip, strip);
}

void AboutWindow::Wire() {
    const auto onClick = [this](uint32_t id, void (identity::CAboutDialog::*handler)()) {
        auto* button = controls_.As<QAbstractButton>(id);
        connect(button, &QAbstractButton::clicked, this, [this, handler] { ((*logic_).*handler)(); });
    };
    onClick(kProtectUserId, &identity::CAboutDialog::OnProtectUserId);
    onClick(kEnableUserIdEdit, &identity::CAboutDialog::OnEnableUserIdEdit);
    onClick(kSaveUserId, &identity::CAboutDialog::OnSaveUserId);
    onClick(kSaveDeviceVersion, &identity::CAboutDialog::OnSaveDeviceVersion);
    onClick(kViewHelpFile, &identity::CAboutDialog::OnViewHelpFile);
    connect(controls_.As<LinkLabel>(kLink), &LinkLabel::clicked, this, [this] { logic_->OnLinkClicked(); });
}

}  // namespace vr::gui
