// The desktop tool as an operator on a production line meets it, against the virtual camera over a
// pseudo-terminal, with real input events: wheel turns, clicks, keys.

#include "OperatorTest.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <QWindow>
#include <fstream>

#include "CameraIdWindow.h"
#include "CommunicationWindow.h"
#include "LutEditorWindow.h"
#include "LutPlot.h"
#include "ProgressWindow.h"
#include "ScreenFit.h"
#include "StatusBar.h"
#include "StatusStrip.h"
#include "TerminalWindow.h"
#include "WheelGuard.h"
#include "dialogs/CommunicationDialog.h"
#include "dialogs/TerminalDialog.h"
#include "protocol/ControlIds.h"
#include "ui/main/PageInventory.h"

using namespace vr;
namespace id = vr::protocol::id;

namespace {

constexpr int kSettingsMenu = 30008;
const QString kStoppedRs =
    "Shading Calibration: Stopped waiting for RS. The camera may still be calibrating; its answer will be ignored.";

// A turn of the wheel as the window system delivers it: to the window under the pointer, which finds
// the widget there.
void Wheel(QWidget* target, int dy) {
    QWidget* top = target->window();
    const QPoint at = target->mapTo(top, target->rect().center());
    QWheelEvent event(QPointF(at), QPointF(top->mapToGlobal(at)), QPoint(), QPoint(0, dy), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QCoreApplication::sendEvent(top->windowHandle(), &event);
}

// Presses the progress window's Cancel, with the mouse, as soon as it offers it; then how long ago.
class CancelWhenOffered : public QObject {
public:
    explicit CancelWhenOffered(gui::QtPlatform& platform, bool escape = false) {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, this, [this, &platform, escape] {
            gui::ProgressWindow* progress = platform.Progress();
            if (progress == nullptr || !progress->CancelButton()->isVisible()) return;
            text = progress->Text();
            busy = progress->Busy();
            if (escape)
                QTest::keyClick(progress, Qt::Key_Escape);
            else
                QTest::mouseClick(progress->CancelButton(), Qt::LeftButton);
            since.start();
            timer_.stop();
        });
        timer_.start();
    }
    QElapsedTimer since;
    QString text;
    bool busy = false;

private:
    QTimer timer_;
};

}  // namespace

void OperatorTest::Start(const CameraOptions& set) {
    StartCamera(set);
    StartTool("config-" + QString(QTest::currentTestFunction()));
}

void OperatorTest::cleanup() {
    StopAll();
    platform_.boxes.clear();
    platform_.answers.clear();
    platform_.files.clear();
}

void OperatorTest::theWheelChangesOnlyTheControlThatHasTheFocus() {
    Start();
    window_->resize(900, 420);  // short: the pages scroll
    auto& bind = window_->Binding();
    // Each kind of control a page has: lists, a number with its up-down buttons, a button.
    const std::vector<std::pair<int, QWidget*>> targets = {
        {0, bind.Widget(id::kTriggerMode)},
        {0, bind.Widget(id::kGainAll)},
        {1, bind.Widget(id::kMedianFilterG)},
        {1, bind.Widget(id::kFirFilterG)},
        {1, bind.Widget(ui::SpinOf(id::kFirFilterG))->findChild<QToolButton*>()},
        {1, bind.Widget(id::kLutMode)},
        {1, bind.Widget(id::kRecalibrateShading)}};
    const auto shown = [&] {
        std::string texts;
        for (uint32_t control : {id::kTriggerMode, id::kMedianFilterG, id::kFirFilterG, id::kLutMode})
            texts += bind.GetText(control) + "|";
        return texts;
    };
    window_->Tabs()->tabBar()->setFocus();
    const uint64_t handled = camera_->LinesHandled();
    const std::string before = shown();
    bool scrolled = false;
    for (const auto& [page, widget] : targets) {
        window_->Tabs()->setCurrentIndex(page);
        auto* scroll = qobject_cast<QScrollArea*>(window_->Page(page));
        scroll->ensureWidgetVisible(widget, 0, 60);
        const int top = scroll->verticalScrollBar()->value();
        for (int dy : {-120, -120, 120}) Wheel(widget, dy);
        scrolled = scrolled || scroll->verticalScrollBar()->value() != top;
        QVERIFY2(!widget->hasFocus(), qPrintable(widget->objectName()));
    }
    QVERIFY2(scrolled, "the wheel scrolls the page instead");
    QCOMPARE(shown(), before);
    QTest::qWait(200);
    QCOMPARE(camera_->LinesHandled(), handled);
    QVERIFY(platform_.boxes.isEmpty());

    // The list being worked in takes the wheel as ever, and its new value goes to the camera.
    QWidget* median = bind.Widget(id::kMedianFilterG);
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    median->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), median);
    const std::optional<int32_t> mode = camera_->Value("MFG");
    Wheel(median, -120);
    QTRY_VERIFY(camera_->Value("MFG") != mode);
}

void OperatorTest::cancelEndsAHungCalibrationAndTheToolIsUsableAtOnce() {
    Start([](sim::SimOptions& o) { o.hangAtCommand = "RS"; });
    auto* button = window_->Binding().As<QPushButton>(id::kRecalibrateShading);
    {
        CancelWhenOffered cancel(platform_);
        button->click();  // returns when the handler is done
        QVERIFY2(cancel.since.isValid(), "Cancel was offered while the camera hung in RS");
        QVERIFY2(cancel.since.elapsed() < 1000, qPrintable(QString("%1 ms after Cancel").arg(cancel.since.elapsed())));
        QVERIFY2(cancel.text.startsWith("Shading calibration: "), qPrintable(cancel.text));
        QVERIFY(cancel.busy);
    }
    QCOMPARE(platform_.TakeBoxes(), QStringList{kStoppedRs});
    QVERIFY(platform_.Progress() == nullptr);
    QVERIFY(window_->isEnabled());
    QVERIFY(window_->Communication()->isEnabled());
    QVERIFY2(window_->Strip()->IsOnline(), "the camera is not taken for gone");

    // Escape in the progress window is Cancel too.
    {
        CancelWhenOffered escape(platform_, true);
        button->click();
        QVERIFY(escape.since.isValid());
        QVERIFY(escape.since.elapsed() < 1000);
    }
    QCOMPARE(platform_.TakeBoxes(), QStringList{kStoppedRs});
    QVERIFY(window_->isEnabled());
}

void OperatorTest::aLateCompleteAfterACancelAnswersNothing() {
    // The calibration does end, after the operator stopped waiting; the camera answers lines it got
    // meanwhile only after that COMPLETE. The gain it refuses must be put back, not taken as done.
    Start([](sim::SimOptions& o) {
        o.shadingMs = 2500;
        o.refuse = {"GA"};
    });
    {
        CancelWhenOffered cancel(platform_);
        window_->Binding().As<QPushButton>(id::kRecalibrateShading)->click();
        QVERIFY(cancel.since.isValid());
    }
    QCOMPARE(platform_.TakeBoxes(), QStringList{kStoppedRs});
    auto* gain = window_->Binding().As<QLineEdit>(id::kGainAll);
    const QString before = gain->text();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    gain->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(gain));
    gain->setText("400");
    QTest::keyClick(gain, Qt::Key_Return);
    QCOMPARE(gain->text(), before);
    QCOMPARE(camera_->Value("GA"), std::optional<int32_t>(before.toInt()));
    const QStringList boxes = platform_.TakeBoxes();
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes[0].startsWith("Communication Error: ERROR: Refused\nGA=400\nGain and Black / Gain All: valid "
                                 "range 100 to 3200"),
             qPrintable(boxes[0]));
}

void OperatorTest::terminalShowsTheNewestLinesAndSendsEachCommandAlone() {
    using namespace dialogs::terminal;
    Start();
    gui::TerminalWindow* terminal = window_->Terminal();
    auto* list = terminal->Controls().As<QListWidget>(kList);
    auto* edit = terminal->Controls().As<QLineEdit>(kEdit);
    window_->findChild<QAction*>("30014")->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(terminal));
    terminal->Logic().OnClear();
    for (int i = 0; i < kMaxLines + 10; ++i) terminal->Logic().AddLine("line " + std::to_string(i));
    QTRY_COMPARE(list->count(), kMaxLines);
    QCOMPARE(list->item(0)->text().mid(11), QString("line 10"));
    QCOMPARE(list->item(kMaxLines - 1)->text().mid(11), QString("line %1").arg(kMaxLines + 9));
    QScrollBar* bar = list->verticalScrollBar();
    QTRY_COMPARE(bar->value(), bar->maximum());  // the newest line in view

    // Scrolled back, the operator keeps reading where he was while the oldest lines go.
    bar->setValue(bar->maximum() / 2);
    const QString reading = list->itemAt(4, 4)->text();
    for (int i = 0; i < 5; ++i) terminal->Logic().AddLine("later " + std::to_string(i));
    QTRY_COMPARE(list->item(kMaxLines - 1)->text().mid(11), QString("later 4"));
    QCOMPARE(list->itemAt(4, 4)->text(), reading);
    QVERIFY(bar->value() < bar->maximum());

    // Two commands in a row: two lines on the wire, each answered; the edit is empty for the next.
    terminal->Logic().OnClear();
    terminal->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(terminal));
    edit->setFocus();
    for (const char* command : {"GA?", "TMP0?"}) {
        QTest::keyClicks(edit, command);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), QString());
    }
    QTRY_COMPARE(list->count(), 4);
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text().mid(11);
    QCOMPARE(lines.filter(QRegularExpression("^Tx: ")), (QStringList{"Tx: GA?", "Tx: TMP0?"}));
    QVERIFY2(lines.filter(QRegularExpression("^Rx: GA=\\d+$")).size() == 1, qPrintable(lines.join('|')));
    QVERIFY2(lines.filter(QRegularExpression("^Rx: TMP0=\\d+$")).size() == 1, qPrintable(lines.join('|')));
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(edit->text(), QString("TMP0?"));
}

void OperatorTest::aHangUpWhileIdleGoesOfflineAndTheDeviceComingBackIsOffered() {
    Start();
    QCOMPARE(Field("statusLine"), QString("Online"));
    // Unplugged while nothing is sent.
    QElapsedTimer since;
    since.start();
    camera_->Stop();
    QTRY_COMPARE_WITH_TIMEOUT(Field("statusLine"), QString("Offline"), 1000);
    QVERIFY(since.elapsed() < 1500);
    QVERIFY(!window_->Strip()->IsOnline());
    QCOMPARE(window_->Communication()->Controls().GetText(dialogs::comm::kStatusText), std::string("Offline"));
    QVERIFY(window_->OfflineBanner()->isVisible());
    QVERIFY2(window_->OfflineBannerText()->text().contains("the line to the camera went away"),
             qPrintable(window_->OfflineBannerText()->text()));
    QVERIFY(window_->BannerReconnect()->isVisible());
    QVERIFY(platform_.boxes.isEmpty());

    // Plugged back in, a VR-8200-KB behind the same name: offered, not done behind the operator's back.
    StartCamera([](sim::SimOptions& o) { o.model = "KB"; });
    QTRY_VERIFY_WITH_TIMEOUT(window_->OfflineBannerText()->text().contains("is there again"), 3000);
    QCOMPARE(Field("statusModel"), QString("VR-8200-KA"));
    QTest::mouseClick(window_->BannerReconnect(), Qt::LeftButton);
    QTRY_COMPARE(Field("statusLine"), QString("Online"));
    QCOMPARE(Field("statusModel"), QString("VR-8200-KB"));
    QCOMPARE(window_->Binding().GetText(id::kModelDisplay), std::string("VR-8200-KB"));
    QCOMPARE(window_->Binding().GetText(id::kGainAll), std::to_string(camera_->Value("GA").value_or(-1)));
    QVERIFY(!window_->OfflineBanner()->isVisible());

    // Reconnect is in the Settings menu too, with its key.
    QCOMPARE(habits_->Reconnect().shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    QVERIFY(window_->Menu(gui::DesktopHabits::kSettingsMenuPosition)->actions().contains(&habits_->Reconnect()));

    // The communication dialog's box: the next time it reconnects by itself, and it is remembered.
    QCheckBox* automatic = window_->Communication()->AutoReconnectBox();
    window_->Communication()->Logic().Show();
    QVERIFY(QTest::qWaitForWindowExposed(window_->Communication()));
    QTest::mouseClick(automatic, Qt::LeftButton);
    QVERIFY(automatic->isChecked());
    std::string stored;
    tool_.core->registry.ReadNamedText(platform::kAutoReconnectName, stored);
    QCOMPARE(stored, std::string("1"));
    camera_->Stop();
    QTRY_COMPARE_WITH_TIMEOUT(Field("statusLine"), QString("Offline"), 1000);
    StartCamera();
    QTRY_COMPARE_WITH_TIMEOUT(Field("statusModel"), QString("VR-8200-KA"), 5000);
    QCOMPARE(Field("statusLine"), QString("Online"));
    QCOMPARE(window_->Binding().GetText(id::kModelDisplay), std::string("VR-8200-KA"));
    QVERIFY(platform_.boxes.isEmpty());
}

void OperatorTest::aSettingsFileWithRefusedLinesGivesOneReport() {
    Start([](sim::SimOptions& o) { o.refuse = {"GA", "BL", "GAR", "GAB", "WTC", "OFC", "MFB", "MFR"}; });
    const std::string path = Path("refused.cam");
    std::ofstream(path, std::ios::binary)
        << "GA=400\r\nBL=4\r\nGAR=200\r\nGAB=200\r\nWTC=2048\r\nOFC=64\r\nMFB=1\r\nMFR=1\r\nMFG=1\r\nFFG=1\r\n";
    platform_.files = {path};
    platform_.answers = {platform::MsgResult::Yes};
    window_->findChild<QAction*>(QString::number(kSettingsMenu))->trigger();
    const QStringList boxes = platform_.TakeBoxes();
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes[0].startsWith("VR-8200 Control Tool: The camera did not take 8 lines of"), qPrintable(boxes[0]));
    QVERIFY2(boxes[0].endsWith("Reload the camera's values now?"), qPrintable(boxes[0]));
    QCOMPARE(camera_->Value("MFG"), std::optional<int32_t>(1));
    // Yes: the pages show what the camera holds, not the file's refused values.
    QCOMPARE(window_->Binding().GetText(id::kGainAll), std::to_string(camera_->Value("GA").value_or(-1)));
    QVERIFY(window_->Binding().GetText(id::kGainAll) != "400");
}

void OperatorTest::lutEditorUndoesByKeyAndStandsApartFromTheMainWindow() {
    Start();
    window_->Tabs()->setCurrentIndex(1);
    window_->Binding().As<QComboBox>(id::kLutMode)->setCurrentIndex(2);
    window_->Logic().OnControlEvent(id::kLutMode, {ui::ControlEventType::SelChange});
    QTest::mouseClick(window_->Binding().As<QPushButton>(id::kOpenLutTable), Qt::LeftButton);
    const int menuBottom = window_->menuBar()->mapToGlobal(QPoint(0, window_->menuBar()->height())).y();
    for (lut::LutColour colour : lut::kLutColours) {
        gui::LutEditorWindow* editor = tool_.features->LutWindow(colour);
        QVERIFY(editor->isVisible());
        // A window of its own: the main window can come in front of it, and it does not keep the tool
        // running; it leaves the main window's menu bar free.
        QVERIFY(editor->parentWidget() == nullptr);
        QVERIFY(!editor->testAttribute(Qt::WA_QuitOnClose));
        QVERIFY2(editor->frameGeometry().top() >= menuBottom,
                 qPrintable(QString::number(editor->frameGeometry().top())));
        QVERIFY(editor->screen()->availableGeometry().contains(editor->frameGeometry()));
    }

    // Counted from the main window's pages, 50 pixels further right and down each.
    gui::LutEditorWindow* red = tool_.features->LutWindow(lut::LutColour::Red);
    const QPoint pages = window_->mapToGlobal(QPoint(0, window_->menuBar()->geometry().bottom() + 1));
    QCOMPARE(red->pos(), pages + QPoint(50, 50));
    QCOMPARE(tool_.features->LutWindow(lut::LutColour::Blue)->pos(), pages + QPoint(150, 150));
    red->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(red));
    gui::LutPlot* plot = red->Plot();
    const QPoint at = plot->ToWidget({100, 90}).toPoint();
    QTest::mouseClick(plot, Qt::LeftButton, {}, at);
    QCOMPARE(red->Logic().Curve().Count(), 3);  // a left click on the curve adds a point
    QTest::mouseClick(plot, Qt::RightButton, {}, at);
    QCOMPARE(red->Logic().Curve().Count(), 2);  // a right click on it removes it
    QTest::keyClick(red, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(red->Logic().Curve().Count(), 3);
    QTest::keyClick(red, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(red->Logic().Curve().Count(), 2);
    QTest::keyClick(red, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(red->Logic().Curve().Count(), 3);

    // Each curve stands out from a dark plot and from a light one; pure blue on dark would not.
    const QColor dark(0x2a, 0x2a, 0x2a), light(Qt::white);
    QVERIFY(gui::ContrastRatio(QColor(0, 0, 255), dark) < 3.0);
    for (lut::LutColour colour : lut::kLutColours)
        for (const QColor& base : {dark, light}) {
            const QColor curve = gui::ReadableCurveColour(gui::LutEditorWindow::CurveColour(colour), base);
            QVERIFY2(gui::ContrastRatio(curve, base) >= 3.0, qPrintable(curve.name() + " on " + base.name()));
        }
    QCOMPARE(gui::ReadableCurveColour(QColor(255, 0, 0), light), QColor(255, 0, 0));
}

void OperatorTest::cameraIdFieldsMoveOnAndTakeAPastedId() {
    Start();
    gui::CameraIdWindow dialog(tool_.core->Session(), true, window_);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.Field(0)->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.Field(0)));
    // Typed: each character lands in the field with the cursor, which then moves on.
    for (char c : std::string("ABC")) QTest::keyClick(QApplication::focusWidget(), c);
    QCOMPARE(dialog.Field(0)->text() + dialog.Field(1)->text() + dialog.Field(2)->text(), QString("ABC"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.Field(3)));

    // Pasted into the first field: the whole ID, one character a field.
    QGuiApplication::clipboard()->setText("2400012346");
    dialog.Field(0)->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.Field(0)));
    QTRY_VERIFY(dialog.Field(0)->hasSelectedText());
    QTest::keyClick(dialog.Field(0), Qt::Key_V, Qt::ControlModifier);
    QString id;
    for (size_t i = 0; i < 10; ++i) id += dialog.Field(i)->text();
    QCOMPARE(id, QString("2400012346"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.Field(9)));
}

void OperatorTest::smallWindowsFitTheirTextAndTheScreen() {
    // The progress window: the tool's title, a close box that is Cancel only while Cancel is offered,
    // and room for its whole text.
    gui::ProgressWindow progress(nullptr);
    progress.show();
    QVERIFY(QTest::qWaitForWindowExposed(&progress));
    QCOMPARE(progress.windowTitle(), QString("VR-8200 Control Tool"));
    QVERIFY(progress.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    const QString text = "Now, writing camera gamma data.  (163 / 256)";
    progress.SetText(text);
    auto* label = progress.findChild<QLabel*>(QString::number(gui::ProgressWindow::kTextId));
    QTRY_VERIFY(label->width() >= label->fontMetrics().horizontalAdvance(text));
    progress.SetText("Waiting for the camera (SA=1): 3 s, and a much longer text that needs more room than before");
    QTRY_VERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
    QTest::keyClick(&progress, Qt::Key_Escape);
    progress.close();
    QVERIFY(!progress.CancelRequested());
    QVERIFY(progress.isVisible());
    progress.AllowWaitCancel(true);
    progress.close();
    QVERIFY(progress.CancelRequested());
    QVERIFY(progress.isVisible());

    // A result box is as wide as its title needs.
    gui::QtPlatform qt;
    int boxWidth = 0;
    QTimer::singleShot(50, [&boxWidth] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            boxWidth = box->width();
            box->close();
        }
    });
    const QString title = "White Balance Exposure Once";
    qt.MessageBox("Succeeded", title.toStdString(), platform::MsgIcon::None, platform::MsgButtons::Ok);
    QVERIFY2(boxWidth >= QFontMetrics(QApplication::font()).horizontalAdvance(title) + 60,
             qPrintable(QString::number(boxWidth)));

    // A window taller than the room the screen leaves, frame and title bar included, at 1920 x 1080
    // with a panel (and at 4K with 200 % scaling, which is the same in logical pixels).
    const QRect available(0, 0, 1920, 1040);
    const QMargins frame(1, 37, 1, 1);
    const QRect fitted = gui::FitIntoArea(QRect(0, 37, 1900, 1050), frame, available);
    QVERIFY(available.contains(fitted.marginsAdded(frame)));
    QCOMPARE(fitted.width(), 1900);
    const QRect moved = gui::FitIntoArea(QRect(300, 500, 800, 700), frame, available);
    QVERIFY(available.contains(moved.marginsAdded(frame)));
    QCOMPARE(moved.size(), QSize(800, 700));
    QCOMPARE(moved.left(), 300);

    // The communication dialog opens beside the main window where there is room, not over it.
    const QSize dialog(500, 400);
    QCOMPARE(gui::PlaceBeside(QRect(0, 0, 1000, 700), dialog, available), QPoint(1000, 0));
    QCOMPARE(gui::PlaceBeside(QRect(900, 100, 1000, 700), dialog, available), QPoint(400, 100));
    QCOMPARE(gui::PlaceBeside(QRect(300, 0, 1400, 700), dialog, available), QPoint(1420, 0));
    // Where the operator left it, it opens again at the next start.
    Start();
    gui::CommunicationWindow* communication = window_->Communication();
    QVERIFY(communication->isVisible());
    const QPoint left(37, 41);
    communication->move(left);
    QTRY_COMPARE(communication->pos(), left);
    communication->Logic().OnClose();
    QVERIFY(!communication->isVisible());
    habits_.reset();
    tool_.Close();
    tool_.core.reset();
    StartTool("config-" + QString(QTest::currentTestFunction()));
    QTRY_COMPARE(window_->Communication()->pos(), left);
}
