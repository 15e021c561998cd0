#include "ScreenshotTour.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "AboutWindow.h"
#include "AreaSelectDialog.h"
#include "CameraIdWindow.h"
#include "CommunicationWindow.h"
#include "CompareWindow.h"
#include "LutEditorWindow.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "TerminalWindow.h"
#include "UserIdWindow.h"
#include "camera/ModelCommands.h"
#include "camera/Services.h"
#include "dialogs/TerminalDialog.h"
#include "protocol/ControlIds.h"
#include "protocol/OnlineStatus.h"
#include "settings/SettingsCompare.h"
#include "settings/SettingsFile.h"

namespace vr::gui {

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

QPalette DarkPalette() {
    QPalette p;
    const QColor window(0x2b, 0x2b, 0x2b), base(0x1e, 0x1e, 0x1e), text(0xe6, 0xe6, 0xe6);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xd6));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(0x9a, 0x9a, 0x9a));
    p.setColor(QPalette::Link, QColor(0x6c, 0xa8, 0xff));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return p;
}

QString FileName(QString title) {
    return title.toLower().replace(' ', '-');
}

// The LUT editor windows by colour (none where the build has no LUT editors).
std::vector<LutEditorWindow*> LutWindows() {
    std::vector<LutEditorWindow*> windows(3, nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* editor = qobject_cast<LutEditorWindow*>(w))
            windows[static_cast<size_t>(editor->Logic().Colour())] = editor;
    return windows;
}

void Drag(lut::CLUTDlg& editor, std::initializer_list<lut::PlotPoint> path) {
    for (lut::PlotPoint p : path) editor.OnMouseMove(lut::MouseButtons::LeftOnly, p);
}

}  // namespace

ScreenshotTour::ScreenshotTour(MainWindow& window, QString folder) : window_(window), folder_(std::move(folder)) {}

bool ScreenshotTour::Save(QWidget* widget, const QString& name) {
    Settle();
    const QString path = QDir(folder_).filePath(name + ".png");
    if (widget->grab().save(path)) {
        std::printf("%s\n", qPrintable(path));
        return true;
    }
    std::fprintf(stderr, "vr8200-control: cannot save %s\n", qPrintable(path));
    return false;
}

bool ScreenshotTour::Pass(const QString& prefix) {
    bool ok = true;
    QTabWidget* tabs = window_.Tabs();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        ok = Save(&window_, prefix + "page-" + QString::number(i) + "-" + FileName(tabs->tabText(i))) && ok;
    }
    tabs->setCurrentIndex(0);
    ok = Save(window_.Communication(), prefix + "communication") && ok;
    TerminalWindow* terminal = window_.Terminal();
    terminal->show();
    terminal->Controls().SetText(dialogs::terminal::kEdit, "MD?");
    ok = Save(terminal, prefix + "terminal") && ok;
    ok = SettingsWindows(prefix) && ok;
    // The identity dialogs are modal in use; here they are only shown long enough for their picture.
    const bool factory = window_.Logic().FactoryMode();
    {
        AboutWindow about(window_.Services(), DesktopAboutSetup(factory), &window_);
        about.show();
        ok = Save(&about, prefix + "about") && ok;
    }
    {
        CameraIdWindow cameraId(window_.Logic().Session(), factory, &window_);
        cameraId.show();
        ok = Save(&cameraId, prefix + "camera-id") && ok;
    }
    {
        UserIdWindow userId(window_.Logic().Session(), &window_);
        userId.show();
        ok = Save(&userId, prefix + "user-id") && ok;
    }
    for (LutEditorWindow* editor : LutWindows()) {
        if (editor == nullptr) continue;
        const QString colour = FileName(editor->windowTitle().section(' ', -1));
        const QString mode =
            FileName(QString::fromUtf8(lut::CLUTDlg::ModeText(static_cast<int>(editor->Logic().Mode()))));
        ok = Save(editor, prefix + "lut-" + colour + "-" + mode) && ok;
    }
    return ok;
}

bool ScreenshotTour::SettingsWindows(const QString& prefix) {
    bool ok = true;
    {
        AreaSelectDialog areas(window_.Services(), ui::AreaDialogMode::Store, window_.Logic().FactoryMode(), &window_);
        areas.show();
        ok = Save(&areas, prefix + "area-select") && ok;
    }
    // The camera's own settings with two values changed, the width missing and a line for a command
    // this model lacks.
    settings::SettingsFile file(window_.Logic().Session(), &window_.Logic());
    std::string text;
    for (const auto& line : settings::SettingsLines::Split(file.Contents(settings::SettingsVariant::AllData))) {
        if (line.text.rfind("WTC=", 0) == 0) continue;
        if (line.text.rfind("GA=", 0) == 0)
            text += "GA=800\n";
        else if (line.text.rfind("WB1R=", 0) == 0)
            text += "WB1R=120\n";
        else
            text += line.text + "\n";
    }
    text += window_.Services().model.kind == camera::kModelKA ? "LROP=1\n" : "PER=8000\n";
    const auto lines = settings::SettingsLines::Split(text);
    camera::Services& services = window_.Services();
    const bool factory = window_.Logic().FactoryMode();
    const auto unread = settings::ReadUnreadSettings(services, lines, file.Reader(), window_.Logic().LastRead(),
                                                     services.model.kind, factory);
    const auto differences = settings::CompareSettings(lines, file.Reader(), services.table, window_.Logic().LastRead(),
                                                       unread, services.model, factory);
    CompareWindow compare("golden-line-3.cam", differences, &window_);
    compare.show();
    ok = Save(&compare, prefix + "compare-with-file") && ok;
    return ok;
}

bool ScreenshotTour::OnePush() {
    auto* platform = dynamic_cast<QtPlatform*>(&window_.Services().platform);
    auto* button = qobject_cast<QPushButton*>(window_.Binding().Widget(protocol::id::kRecalibrateShading));
    if (platform == nullptr || button == nullptr) return false;
    window_.Tabs()->setCurrentIndex(1);
    bool progressSaved = false, resultSaved = false;
    // Both timers fire while the calibration runs: the engine's wait and the message box let them.
    QTimer progress;
    progress.setSingleShot(true);
    QObject::connect(&progress, &QTimer::timeout, [&] {
        if (platform->Progress() != nullptr) progressSaved = Save(platform->Progress(), "onepush-progress");
    });
    // The result box is saved and closed as soon as it shows.
    const auto saveBox = [this](QTimer& timer, bool& saved, const QString& name) {
        QObject::connect(&timer, &QTimer::timeout, [this, &timer, &saved, name] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            timer.stop();
            saved = Save(box, name);
            box->accept();
        });
        timer.start(200);
    };
    QTimer result;
    saveBox(result, resultSaved, "onepush-result");
    progress.start(2500);
    button->click();
    // White balance once: its box lists the gains it re-read.
    bool balanceSaved = false;
    QTimer balance;
    saveBox(balance, balanceSaved, "onepush-white-balance-result");
    window_.Binding().SetSelection(protocol::id::kWhiteBalance, 1);
    window_.Logic().OnControlEvent(protocol::id::kWhiteBalance, {ui::ControlEventType::SelChange});
    window_.Tabs()->setCurrentIndex(0);
    return progressSaved && resultSaved && balanceSaved;
}

bool ScreenshotTour::Offline(const QString& prefix) {
    camera::Services& services = window_.Services();
    services.status.SetOffline();
    window_.Logic().OfferReconnect("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3D4-if00-port0");
    bool ok = Save(&window_, prefix + "offline-banner");
    window_.Logic().OfferReconnect({});
    services.status.SetOnline();
    // What a long wait outside any operation shows once it has lasted a moment.
    services.platform.ProgressOpen("Waiting for the camera (SA=1): 3 s");
    services.platform.ProgressSetBusy(true);
    services.platform.ProgressAllowWaitCancel(true);
    if (auto* platform = dynamic_cast<QtPlatform*>(&services.platform); platform != nullptr && platform->Progress())
        ok = Save(platform->Progress(), prefix + "progress-wait") && ok;
    services.platform.ProgressAllowWaitCancel(false);
    services.platform.ProgressFinish();
    return ok;
}

void ScreenshotTour::PrepareLutEditors() {
    const std::vector<LutEditorWindow*> editors = LutWindows();
    if (editors[0] == nullptr || editors[1] == nullptr || editors[2] == nullptr) return;
    // "LUT" in the LUT selector enables "Open LUT Table".
    window_.Binding().SetSelection(protocol::id::kLutMode, 2);
    window_.Logic().OnControlEvent(protocol::id::kLutMode, {ui::ControlEventType::SelChange});
    window_.Logic().OnControlEvent(protocol::id::kOpenLutTable, {ui::ControlEventType::Clicked});
    Settle();
    // Red in Edit Mode: a gamma-like curve of four points.
    Drag(editors[0]->Logic(), {{60, 110}, {64, 104}, {150, 50}, {154, 46}});
    // Green in View Mode: an S curve written to the camera and read back.
    Drag(editors[1]->Logic(), {{80, 210}, {84, 214}, {176, 40}, {172, 42}});
    editors[1]->Logic().OnWriteTableData();
    editors[1]->Logic().OnReadTableData();
    // Blue in Edit Mode with the points Convert Editable makes of its straight line.
    editors[2]->Logic().OnConvertEditable();
    Settle();
}

bool ScreenshotTour::Run() {
    if (!QDir().mkpath(folder_)) {
        std::fprintf(stderr, "vr8200-control: cannot create %s\n", qPrintable(folder_));
        return false;
    }
    PrepareLutEditors();
    bool ok = Pass("");
    ok = Offline("") && ok;
    ok = OnePush() && ok;
    const QPalette original = QApplication::palette();
    QApplication::setPalette(DarkPalette());
    ok = Pass("dark-") && ok;
    ok = Offline("dark-") && ok;
    QApplication::setPalette(original);
    window_.Logic().SetCloseWithoutConfirm(true);
    window_.close();
    return ok;
}

}  // namespace vr::gui
