#include "ScreenshotTour.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <cstdio>

#include "AboutDialog.h"
#include "CameraIdDialog.h"
#include "CommunicationWindow.h"
#include "MainWindow.h"
#include "TerminalWindow.h"
#include "UserIdDialog.h"
#include "dialogs/TerminalDialog.h"

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
    // The identity dialogs are modal in use; here they are only shown long enough for their picture.
    const bool factory = window_.Logic().FactoryMode();
    {
        AboutDialog about(window_.Services(), DesktopAboutSetup(factory), &window_);
        about.show();
        ok = Save(&about, prefix + "about") && ok;
    }
    {
        CameraIdDialog cameraId(window_.Services(), factory, &window_);
        cameraId.show();
        ok = Save(&cameraId, prefix + "camera-id") && ok;
    }
    {
        UserIdDialog userId(window_.Services(), &window_);
        userId.show();
        ok = Save(&userId, prefix + "user-id") && ok;
    }
    return ok;
}

bool ScreenshotTour::Run() {
    if (!QDir().mkpath(folder_)) {
        std::fprintf(stderr, "vr8200-control: cannot create %s\n", qPrintable(folder_));
        return false;
    }
    bool ok = Pass("");
    const QPalette original = QApplication::palette();
    QApplication::setPalette(DarkPalette());
    ok = Pass("dark-") && ok;
    QApplication::setPalette(original);
    window_.Logic().SetCloseWithoutConfirm(true);
    window_.close();
    return ok;
}

}  // namespace vr::gui
