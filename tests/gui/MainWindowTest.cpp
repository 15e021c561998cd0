// The desktop tool's Qt test program: the started tool against the virtual camera, through the real serial
// link and pseudo-terminal.

#include <QListWidget>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTabBar>
#include <fstream>

#include "CommunicationWindow.h"
#include "GuiTests.h"
#include "LutEditorWindow.h"
#include "LutPlot.h"
#include "OperatorTest.h"
#include "QtTestMain.h"
#include "StatusStrip.h"
#include "TerminalWindow.h"
#include "dialogs/TerminalDialog.h"
#include "lut/GammaFile.h"
#include "protocol/ControlIds.h"
#include "sim/VirtualCamera.h"
#include "ui/main/Keyboard.h"
#include "ui/main/MenuTable.h"
#include "ui/main/PageInventory.h"

using namespace vr;
namespace id = vr::protocol::id;
using lut::PlotPoint;

namespace {

void Mouse(QWidget* widget, QPointF at, Qt::MouseButtons held, QEvent::Type type = QEvent::MouseMove,
           Qt::MouseButton button = Qt::NoButton, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

void Drag(gui::LutPlot* plot, std::initializer_list<PlotPoint> path) {
    Mouse(plot, plot->ToWidget(*path.begin()), Qt::LeftButton, QEvent::MouseButtonPress, Qt::LeftButton);
    for (PlotPoint p : path) Mouse(plot, plot->ToWidget(p), Qt::LeftButton);
    Mouse(plot, plot->ToWidget(*(path.end() - 1)), Qt::NoButton, QEvent::MouseButtonRelease, Qt::LeftButton);
}

}  // namespace

void MainWindowTest::initTestCase() {
    StartCamera();
    StartTool("config");
}

void MainWindowTest::StartCamera(bool paced) {
    DesktopToolTest::StartCamera([paced](sim::SimOptions& options) {
        options.pace = paced;
        options.shadingMs = 2600;  // long enough to watch the progress window of a shading calibration
    });
}

void MainWindowTest::Focus(QWidget* widget) {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    widget->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), widget);
}

void MainWindowTest::Key(int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
}

QString MainWindowTest::TabTitles() const {
    QStringList titles;
    for (int i = 0; i < window_->Tabs()->count(); ++i) titles << window_->Tabs()->tabText(i);
    return titles.join(", ");
}

void MainWindowTest::startupRaisesTheLineAndFillsEveryPage() {
    QCOMPARE(window_->windowTitle(), QString("VR-8200 Control Tool  Ver 2.01"));
    QVERIFY(window_->Strip()->IsOnline());
    QCOMPARE(window_->Communication()->Controls().GetText(dialogs::comm::kBaudRate), std::string("115200bps"));
    QVERIFY(window_->Communication()->isVisible());

    // Every number a page shows came from the camera: no shown numeric edit is left empty.
    int checked = 0;
    for (const ui::PageControl& c : ui::PageControls()) {
        if (c.type != ui::CtrlType::Edit || c.spinId == 0 || !window_->Binding().IsShown(c.id)) continue;
        const QString text = window_->Binding().As<QLineEdit>(c.id)->text();
        bool number = false;
        text.toInt(&number);
        QVERIFY2(number, qPrintable(QString("%1 shows \"%2\"").arg(c.id).arg(text)));
        ++checked;
    }
    QVERIFY(checked > 100);
    QCOMPARE(window_->Binding().GetText(id::kGainAll), std::to_string(*camera_->Value("GA")));
    QCOMPARE(window_->Binding().Widget(id::kGainAll)->toolTip(), QString("Camera command GA, range 100 to 3200"));
}

void MainWindowTest::factoryKeySequenceTogglesTheFactoryPage() {
    const QString user = "User A, User B, User C, User D, User E";
    QCOMPARE(TabTitles(), user);
    // The Utility menu stays open to everyone for its terminal.
    QVERIFY(window_->Menu(ui::kUtilityMenuPosition)->menuAction()->isEnabled());
    QVERIFY(window_->findChild<QAction*>("30014")->isEnabled());

    const std::string code = ui::FactoryKeySequence::AccessCode();
    auto type = [this](const std::string& letters) {
        Key(Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);
        for (char c : letters) Key(c);
    };
    auto* gain = window_->Binding().As<QLineEdit>(id::kGainAll);
    Focus(gain);
    window_->Tabs()->setCurrentIndex(0);
    type((code[0] == 'Q' ? "Z" : "Q") + code);
    QCOMPARE(TabTitles(), user);  // a wrong letter disarms the sequence
    type(code);
    QCOMPARE(TabTitles(), user + ", Factory A");
    QCOMPARE(window_->Tabs()->currentIndex(), 0);

    Focus(gain);
    const QString shown = gain->text();
    type(code);
    QCOMPARE(TabTitles(), user);
    QCOMPARE(window_->Tabs()->currentIndex(), 0);
    QVERIFY(platform_.boxes.empty());
    QCOMPARE(gain->text(), shown);  // none of the code's letters reached the edit
}

void MainWindowTest::anEditSendsOnEnterOrWhenTheFocusGoesToAnotherWindow() {
    auto* edit = window_->Binding().As<QLineEdit>(id::kGainAll);
    Focus(edit);
    edit->setText("400");
    Key(Qt::Key_Return);
    QCOMPARE(camera_->Value("GA"), std::optional<int32_t>(400));
    QCOMPARE(edit->text(), QString("400"));
    QVERIFY(window_->isVisible());
    QVERIFY(!window_->Logic().Closed());

    edit->setText("555");
    // As when the operator clicks "Store" in the communication dialog next.
    window_->Communication()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_->Communication()));
    QTRY_COMPARE(camera_->Value("GA"), std::optional<int32_t>(555));
    QVERIFY(platform_.boxes.empty());
}

void MainWindowTest::offlineBannerSaysWhereTheValuesCameFrom() {
    QWidget* banner = window_->OfflineBanner();
    QVERIFY(banner->isHidden());
    tool_.core->status.SetOffline();
    QVERIFY(!banner->isHidden());
    const QString text = window_->OfflineBannerText()->text();
    QVERIFY2(text.startsWith("Offline: the values shown were read from VR-8200-KA at "), qPrintable(text));
    tool_.core->status.SetOnline();
    QVERIFY(banner->isHidden());
}

void MainWindowTest::escapeClosesOnlyAnOpenListAndCloseAsksFirst() {
    auto* combo = window_->Binding().As<QComboBox>(id::kTriggerMode);
    Focus(combo);
    combo->showPopup();
    QTRY_VERIFY(combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    QTRY_VERIFY(!combo->view()->isVisible());
    QVERIFY(window_->isVisible());

    Focus(window_->Binding().Widget(id::kGainAll));
    Key(Qt::Key_Escape);
    QVERIFY(platform_.boxes.empty());  // an edit keeps Escape to itself

    Focus(window_->Tabs()->tabBar());
    platform_.answers = {platform::MsgResult::No};
    Key(Qt::Key_Escape);
    QCOMPARE(platform_.TakeBoxes(), QStringList{"Confirm: Are you sure to terminate the Camera Control Tool ?"});
    QVERIFY(window_->isVisible());
}

void MainWindowTest::terminalListsTrafficWithTimeStampsAndSavesIt() {
    gui::TerminalWindow* terminal = window_->Terminal();
    auto* list = terminal->Controls().As<QListWidget>(dialogs::terminal::kList);
    auto* edit = terminal->Controls().As<QLineEdit>(dialogs::terminal::kEdit);
    window_->findChild<QAction*>("30014")->trigger();  // Utility > Terminal, in user mode
    QVERIFY(QTest::qWaitForWindowExposed(terminal));
    terminal->Logic().OnClear();

    edit->setText("MD?");
    QTest::keyClick(edit, Qt::Key_Return);  // "Send" is the default button
    QTRY_COMPARE(list->count(), 2);         // the engine's timer lists the reply
    const QRegularExpression stamp("^\\d\\d:\\d\\d:\\d\\d\\d  ");
    QVERIFY(stamp.match(list->item(0)->text()).hasMatch());
    QCOMPARE(list->item(0)->text().mid(11), QString("Tx: MD?"));
    QCOMPARE(list->item(1)->text().mid(11), QString("Rx: MD=VR-8200-KA"));
    QCOMPARE(edit->text(), QString());

    const QString path = folder_ + "/traffic.csv";
    platform_.files = {path.toStdString()};
    QTest::mouseClick(terminal->Controls().As<QPushButton>(dialogs::terminal::kSave), Qt::LeftButton);
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), list->item(0)->text() + "\n" + list->item(1)->text() + "\n");
    // Lines reach the list in batches, when the window next paints.
    QTRY_COMPARE(list->count(), 3);
    QCOMPARE(list->item(2)->text().mid(11), QString("Writing file has been done !"));

    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!terminal->isVisible());
    QVERIFY(window_->isVisible());
}

void MainWindowTest::lutEditorsOpenTogetherAndTheirPlotFollowsTheMouse() {
    gui::LutEditorWindow* red = tool_.features->LutWindow(lut::LutColour::Red);
    gui::LutEditorWindow* green = tool_.features->LutWindow(lut::LutColour::Green);
    gui::LutEditorWindow* blue = tool_.features->LutWindow(lut::LutColour::Blue);
    QVERIFY(!red->isVisible() && !green->isVisible() && !blue->isVisible());

    // "LUT" in the selector enables the button; the button opens all three, each one further down.
    window_->Tabs()->setCurrentIndex(1);
    auto select = [this](int index) {
        window_->Binding().As<QComboBox>(id::kLutMode)->setCurrentIndex(index);
        window_->Logic().OnControlEvent(id::kLutMode, {ui::ControlEventType::SelChange});
    };
    select(2);
    auto* open = window_->Binding().As<QPushButton>(id::kOpenLutTable);
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY(red->isVisible() && green->isVisible() && blue->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(red));
    QCOMPARE(green->windowTitle(), QString("LUT Setting for Green"));
    QCOMPARE(green->pos() - red->pos(), QPoint(50, 50));
    QCOMPARE(blue->pos() - green->pos(), QPoint(50, 50));

    gui::LutPlot* plot = red->Plot();
    for (const QSize size : {QSize(640, 560), QSize(1100, 900)}) {
        red->resize(size);
        QTRY_COMPARE(red->size(), size);
        for (const PlotPoint p : {PlotPoint{0, 0}, PlotPoint{128, 77}, PlotPoint{256, 256}})
            QCOMPARE(plot->ToPlot(plot->ToWidget(p)), p);
        QVERIFY(plot->PlotRect().width() > 256 * (size.width() > 700 ? 2 : 1));
        red->Logic().OnClearTableData();

        // Far from both corners: the first move adds the point, the next ones move it.
        Drag(plot, {{100, 90}, {128, 60}, {130, 58}});
        plot->repaint();
        const auto points = red->Logic().Curve().Points();
        QCOMPARE(points.size(), size_t{3});
        QCOMPARE(points[1], (PlotPoint{130, 58}));
        const lut::LutTable& table = red->Logic().Table();
        QVERIFY(std::abs(table[130] - (256 - 58) * 16) < 40);  // the curve runs through the point
        QCOMPARE(red->Readout()->text(), QString("Input 130   Output 3168   Table %1").arg(table[130]));
    }

    // Shift makes it another gesture; the right button takes the point away again.
    Mouse(plot, plot->ToWidget({60, 60}), Qt::LeftButton, QEvent::MouseMove, Qt::NoButton, Qt::ShiftModifier);
    QCOMPARE(red->Logic().Curve().Count(), 3);
    Mouse(plot, plot->ToWidget({132, 60}), Qt::RightButton);
    QCOMPARE(red->Logic().Curve().Count(), 2);

    // Closing one only hides it; "Off" hides the others and keeps their tables.
    const lut::LutTable shown = red->Logic().Table();
    red->close();
    QVERIFY(!red->isVisible());
    select(0);
    QVERIFY(!green->isVisible() && !blue->isVisible());
    QVERIFY(!open->isEnabled());
    QCOMPARE(red->Logic().Table(), shown);
    window_->Tabs()->setCurrentIndex(0);
}

void MainWindowTest::lutMenuAndShadingButtonsMoveTheTableFiles() {
    // A greyed item or button does nothing, and the checks after it fail.
    auto menu = [this](uint32_t id) { window_->findChild<QAction*>(QString::number(id))->trigger(); };
    auto click = [this](uint32_t id) { window_->Binding().As<QPushButton>(id)->click(); };
    const std::string lutFile = Path("lut.csv");
    platform_.filters.clear();
    platform_.files = {lutFile};
    menu(30007);  // the camera's three tables, read into the editors, then into the file
    QFile saved(QString::fromStdString(lutFile));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const auto table = [this](lut::LutColour c) { return tool_.features->LutWindow(c)->Logic().Table(); };
    QCOMPARE(
        saved.readAll().toStdString(),
        lut::FormatGammaFile(table(lut::LutColour::Red), table(lut::LutColour::Green), table(lut::LutColour::Blue)));
    QCOMPARE(platform_.filters, std::vector<std::string>{"Camera gamm data (*.csv)"});
    platform_.files = {lutFile};
    menu(30006);
    QCOMPARE(platform_.filters.back(), std::string("Camera gamma data (*.csv)"));
    QVERIFY(platform_.boxes.empty());

    // One shading transfer from the buttons on User B, and the store; the rest is the headless tests'.
    QCOMPARE(tool_.core->engine.SendCommandInt(protocol::cmd::SDM, 1, std::chrono::milliseconds(2000)), 1);
    const std::string shadingFile = Path("half.csv");
    std::ofstream(shadingFile, std::ios::binary) << "ShadingData  (G R B)\r\n1, 2, 3\r\n";
    platform_.files = {shadingFile};
    platform_.answers = {platform::MsgResult::Yes};
    click(id::kShadingFromFile);
    QCOMPARE(platform_.filters.back(), std::string("Camera shading data (*.csv)"));
    QCOMPARE(platform_.TakeBoxes().size(), 1);
    uint64_t before = 0;
    camera_->Inspect([&](const sim::VirtualCamera& camera) {
        QCOMPARE(camera.ShadingEntry(0, 1, 0), 2);
        QCOMPARE(camera.ShadingEntry(0, 1, 1), 0);  // the buffer starts at zero
        before = camera.FlashGeneration();
    });
    click(id::kShadingToFlash);
    camera_->Inspect([&](const sim::VirtualCamera& camera) { QVERIFY(camera.FlashGeneration() > before); });
    QVERIFY(platform_.boxes.empty());
    QVERIFY(window_->isEnabled());
}

void MainWindowTest::shadingCalibrationShowsItsTimeWhileTheCameraWorks() {
    // What the progress window showed while the camera was busy with the start command, whether it
    // offered Cancel and whether the main window took input.
    QStringList samples;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] {
        gui::ProgressWindow* progress = platform_.Progress();
        bool busy = false;
        camera_->Inspect([&](const sim::VirtualCamera& c) { busy = c.Busy(); });
        if (progress == nullptr || !busy) return;
        const bool cancel = progress->CancelButton()->isVisible();
        samples << QString("%1; cancel %2; input %3").arg(progress->Text()).arg(cancel).arg(window_->isEnabled());
    });
    sampler.start(100);
    window_->Binding().As<QPushButton>(id::kRecalibrateShading)->click();
    sampler.stop();
    QCOMPARE(platform_.TakeBoxes(), QStringList{"Shading Calibration: Complete"});
    QVERIFY(!samples.empty());
    // No input to the window while the camera works on the start command; Cancel once that wait is
    // longer than a moment.
    const QRegularExpression format("^Shading calibration: (\\d+) s of at most 420 s; cancel ([01]); input 0$");
    int latest = -1;
    bool cancelOffered = false;
    for (const QString& s : samples) {
        const auto match = format.match(s);
        QVERIFY2(match.hasMatch(), qPrintable(s));
        latest = std::max(latest, match.captured(1).toInt());
        cancelOffered = cancelOffered || match.captured(2) == "1";
    }
    QVERIFY2(latest >= 1, "the elapsed time moved on while the start command waited");
    QVERIFY(cancelOffered);
    QVERIFY(window_->isEnabled());
}

void MainWindowTest::aTypedDevicePathOpensAnotherCamera() {
    // A path no listing finds, typed into the port box: a second camera, a VR-8200-KB. It joins the
    // list, the line is negotiated and the pages show the other model.
    auto* ports = window_->Communication()->Controls().As<QComboBox>(dialogs::comm::kPortName);
    const int cameraPort = ports->findText(QString::fromStdString(camera_->LinkPath()));
    QVERIFY(cameraPort >= 0);
    sim::PtyServer second;
    sim::SimOptions options;
    options.model = "KB";
    options.linkPath = Path("second-camera");
    std::string error;
    QVERIFY2(second.Start(options, &error), error.c_str());
    const QString typed = QString::fromStdString(second.LinkPath());
    ports->lineEdit()->setText(typed);
    QTest::keyClick(ports->lineEdit(), Qt::Key_Return);
    QCOMPARE(ports->currentText(), typed);
    QCOMPARE(second.CameraRate(), 115200u);
    QCOMPARE(window_->Binding().GetText(id::kModelDisplay), std::string("VR-8200-KB"));
    QVERIFY(window_->Strip()->IsOnline());
    QVERIFY(platform_.boxes.empty());

    ports->setCurrentIndex(cameraPort);
    emit ports->activated(cameraPort);
    QCOMPARE(window_->Binding().GetText(id::kModelDisplay), std::string("VR-8200-KA"));
    second.Stop();
}

void MainWindowTest::cancelInTheProgressWindowStopsTheReadBetweenCommands() {
    // A camera that takes its wire time, as a real one does: the read lasts long enough to be stopped.
    camera_->Stop();
    StartCamera(true);
    QCOMPARE(window_->Logic().Reconnect(), 1);
    // A gain the fresh camera of the next test will not have.
    QCOMPARE(tool_.core->engine.SendCommandInt(protocol::cmd::GA, 555, protocol::milliseconds(5000)), 1);
    // The operator presses Cancel as soon as the progress window offers it.
    QTimer press;
    press.setInterval(5);
    QObject::connect(&press, &QTimer::timeout, [this, &press] {
        gui::ProgressWindow* progress = platform_.Progress();
        if (progress == nullptr || !progress->CancelButton()->isVisible()) return;
        progress->CancelButton()->click();
        press.stop();
    });
    press.start();
    const size_t before = window_->Services().engine.ReceivedLineCount();
    window_->Logic().OnMenuCommand(30002);
    QVERIFY(!press.isActive());
    QVERIFY(window_->Logic().LastReadStopped());
    const size_t read = window_->Logic().LastRead().size();
    QVERIFY(read > 0 && read < 146);
    QCOMPARE(platform_.TakeBoxes(),
             QStringList{QString("VR-8200 Control Tool: Stopped after %1 of 146 settings.").arg(read)});
    QCOMPARE(window_->Services().engine.ReceivedLineCount(), before);
    // Everything is given back: the window takes input and the next read runs to its end.
    QVERIFY(window_->isEnabled());
    QVERIFY(window_->Communication()->isEnabled());
    window_->Logic().OnMenuCommand(30002);
    QVERIFY(!window_->Logic().LastReadStopped());
    QCOMPARE(window_->Logic().LastRead().size(), size_t(146));
}

void MainWindowTest::cleanupTestCase() {
    StopAll();
}

int main(int argc, char** argv) {
    return ::test::RunQtTests<MainWindowTest, OperatorTest>(argc, argv);
}
