#include "ScreenshotTour.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <cstdio>

#include "CommunicationWindow.h"
#include "LutEditorWindow.h"
#include "MainWindow.h"
#include "TerminalWindow.h"
#include "dialogs/TerminalDialog.h"
#include "ui/main/ControlIds.h"

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
    for (LutEditorWindow* editor : LutWindows()) {
        if (editor == nullptr) continue;
        const QString colour = FileName(editor->windowTitle().section(' ', -1));
        const QString mode =
            FileName(QString::fromUtf8(lut::CLUTDlg::ModeText(static_cast<int>(editor->Logic().Mode()))));
        ok = Save(editor, prefix + "lut-" + colour + "-" + mode) && ok;
    }
    return ok;
}

void ScreenshotTour::PrepareLutEditors() {
    const std::vector<LutEditorWindow*> editors = LutWindows();
    if (editors[0] == nullptr || editors[1] == nullptr || editors[2] == nullptr) return;
    // "LUT" in the LUT selector enables "Open LUT Table".
    window_.Binding().SetCurSel(ui::id::kLutMode, 2);
    window_.Logic().OnControlEvent(ui::id::kLutMode, {ui::ControlEventType::SelChange});
    window_.Logic().OnControlEvent(ui::id::kOpenLutTable, {ui::ControlEventType::Clicked});
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
    const QPalette original = QApplication::palette();
    QApplication::setPalette(DarkPalette());
    ok = Pass("dark-") && ok;
    QApplication::setPalette(original);
    window_.Logic().SetCloseWithoutConfirm(true);
    window_.close();
    return ok;
}

}  // namespace vr::gui
