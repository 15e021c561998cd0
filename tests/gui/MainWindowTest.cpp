// The desktop tool against the virtual camera, through the real serial link and pseudo-terminal.

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "CommunicationWindow.h"
#include "GuiTests.h"
#include "ProgressWindow.h"
#include "StatusStrip.h"
#include "TerminalWindow.h"
#include "dialogs/CommunicationDialog.h"
#include "dialogs/TerminalDialog.h"
#include "link/CommSetting.h"
#include "protocol/Command.h"
#include "ui/main/Keyboard.h"
#include "ui/main/MenuTable.h"
#include "ui/main/PageInventory.h"

using namespace vr;

namespace {

constexpr uint32_t kGainAll = 1041, kBlackLevelRed = 1234, kTriggerMode = 1096;

}  // namespace

void MainWindowTest::initTestCase() {
    sim::SimOptions options;
    options.model = "KA";
    options.refuse = {"BLR"};
    options.linkPath = (folder_ + "/camera").toStdString();
    std::string error;
    QVERIFY2(camera_.Start(options, &error), error.c_str());
    tool_.Start(platform_, folder_ + "/config", camera_.LinkPath());
    window_ = tool_.window.get();
    core_ = tool_.core.get();
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

std::vector<std::string> MainWindowTest::TabTitles() const {
    std::vector<std::string> titles;
    for (int i = 0; i < window_->Tabs()->count(); ++i) titles.push_back(window_->Tabs()->tabText(i).toStdString());
    return titles;
}

void MainWindowTest::startupRaisesTheLineAndFillsEveryPage() {
    QCOMPARE(window_->windowTitle(), QString("VR-8200 Control Tool  Ver 2.01"));
    QVERIFY(window_->Strip()->IsOnline());
    gui::WidgetBinding& comm = window_->Communication()->Controls();
    QCOMPARE(comm.GetText(dialogs::comm::kBaudRate), std::string("115200bps"));
    QCOMPARE(comm.GetText(dialogs::comm::kStatusText), std::string("Online"));
    QVERIFY(window_->Communication()->isVisible());

    // Every number a page shows came from the camera: no shown numeric edit is left empty, and the
    // gain shows the camera's.
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
    QCOMPARE(window_->Binding().GetText(kGainAll), std::to_string(*camera_.Value("GA")));
    QVERIFY(!window_->Binding().GetText(1216).empty());  // the line frequency read-out

    // Each parameter control names its camera command and range.
    QCOMPARE(window_->Binding().Widget(kGainAll)->toolTip(), QString("Camera command GA, range 100 to 3200"));
}

void MainWindowTest::factoryKeySequenceTogglesTheFactoryPage() {
    const std::vector<std::string> user = {"User A", "User B", "User C", "User D", "User E"};
    std::vector<std::string> factory = user;
    factory.push_back("Factory A");
    QCOMPARE(TabTitles(), user);
    // The Utility menu stays open to everyone for its terminal.
    QVERIFY(window_->Menu(ui::kUtilityMenuPosition)->menuAction()->isEnabled());
    QVERIFY(window_->findChild<QAction*>("30014")->isEnabled());

    const std::string code = ui::FactoryKeySequence::AccessCode();
    // Ctrl+Shift+F12, then the letters.
    auto type = [this](const std::string& letters) {
        Key(Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);
        for (char c : letters) Key(c);
    };
    Focus(window_->Binding().Widget(kGainAll));
    window_->Tabs()->setCurrentIndex(0);
    type((code[0] == 'Q' ? "Z" : "Q") + code);
    QCOMPARE(TabTitles(), user);  // a wrong letter disarms the sequence
    type(code);
    QCOMPARE(TabTitles(), factory);
    QCOMPARE(window_->Tabs()->currentIndex(), 0);

    auto* gain = window_->Binding().As<QLineEdit>(kGainAll);
    Focus(gain);
    const QString shown = gain->text();
    type(code);
    QCOMPARE(TabTitles(), user);
    QCOMPARE(window_->Tabs()->currentIndex(), 0);
    QVERIFY(platform_.boxes.empty());
    QCOMPARE(gain->text(), shown);  // none of the code's letters reached the edit
}

void MainWindowTest::enterInAnEditSendsItsValueAndKeepsTheWindow() {
    auto* edit = window_->Binding().As<QLineEdit>(kGainAll);
    Focus(edit);
    edit->setText("400");
    Key(Qt::Key_Return);
    QCOMPARE(camera_.Value("GA"), std::optional<int32_t>(400));
    QCOMPARE(edit->text(), QString("400"));
    QVERIFY(window_->isVisible());
    QVERIFY(!window_->Logic().Closed());
    QVERIFY(platform_.boxes.empty());
}

void MainWindowTest::aRefusedChangeIsUndoneOnScreen() {
    auto* edit = window_->Binding().As<QLineEdit>(kBlackLevelRed);
    const QString before = edit->text();
    Focus(edit);
    edit->setText(before == "10" ? "11" : "10");
    Key(Qt::Key_Return);
    QCOMPARE(platform_.boxes.size(), size_t{1});
    QCOMPARE(platform_.boxes[0].caption, std::string("Communication Error"));
    QCOMPARE(edit->text(), before);
    QCOMPARE(QString::number(*camera_.Value("BLR")), before);
    platform_.boxes.clear();
}

void MainWindowTest::focusMovingToAnotherWindowOfTheToolAppliesTheEdit() {
    auto* edit = window_->Binding().As<QLineEdit>(kGainAll);
    Focus(edit);
    edit->setText("555");
    // As when the operator clicks "Store" in the communication dialog next.
    window_->Communication()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_->Communication()));
    QTRY_COMPARE(camera_.Value("GA"), std::optional<int32_t>(555));
    QVERIFY(platform_.boxes.empty());
}

void MainWindowTest::offlineBannerSaysWhereTheValuesCameFrom() {
    QLabel* banner = window_->OfflineBanner();
    QVERIFY(banner->isHidden());
    core_->Get().status.SetOffline();
    QVERIFY(!banner->isHidden());
    QVERIFY2(banner->text().startsWith("Offline: the values shown were read from VR-8200-KA at "),
             qPrintable(banner->text()));
    core_->Get().status.SetOnline();
    QVERIFY(banner->isHidden());
}

void MainWindowTest::escapeClosesOnlyAnOpenListAndCloseAsksFirst() {
    auto* combo = window_->Binding().As<QComboBox>(kTriggerMode);
    Focus(combo);
    combo->showPopup();
    QTRY_VERIFY(combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    QTRY_VERIFY(!combo->view()->isVisible());
    QVERIFY(window_->isVisible());

    Focus(window_->Binding().Widget(kGainAll));
    Key(Qt::Key_Escape);
    QVERIFY(platform_.boxes.empty());  // an edit keeps Escape to itself

    Focus(window_->Tabs()->tabBar());
    platform_.answers = {app::MsgResult::No};
    Key(Qt::Key_Escape);
    QCOMPARE(platform_.boxes.size(), size_t{1});
    QCOMPARE(platform_.boxes[0].text, std::string("Are you sure to terminate the Camera Control Tool ?"));
    QCOMPARE(platform_.boxes[0].caption, std::string("Confirm"));
    QVERIFY(window_->isVisible());
    platform_.boxes.clear();
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
    QCOMPARE(edit->text(), QString("MD?"));

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

void MainWindowTest::communicationDialogRefillsPortsAndEnablesStore() {
    gui::CommunicationWindow* comm = window_->Communication();
    gui::WidgetBinding& controls = comm->Controls();
    auto* category = controls.As<QComboBox>(dialogs::comm::kCategory);
    auto* ports = controls.As<QComboBox>(dialogs::comm::kPortName);
    auto* area = controls.As<QComboBox>(dialogs::comm::kArea);
    auto* store = controls.Widget(dialogs::comm::kStore);
    QVERIFY(ports->findText(QString::fromStdString(camera_.LinkPath())) >= 0);

    // No Camera Link library is installed for the tests: the list of that mode is empty.
    category->setCurrentIndex(1);
    emit category->activated(1);
    QCOMPARE(ports->count(), 0);
    QCOMPARE(platform_.boxes.back().text, std::string("Failed to initialize!"));
    QVERIFY(!window_->Strip()->IsOnline());
    platform_.boxes.clear();

    category->setCurrentIndex(0);
    emit category->activated(0);
    const int cameraPort = ports->findText(QString::fromStdString(camera_.LinkPath()));
    QVERIFY(cameraPort >= 0);
    QCOMPARE(ports->currentIndex(), cameraPort);
    QVERIFY(window_->Strip()->IsOnline());  // probed and read again
    QVERIFY(platform_.boxes.empty());

    const struct {
        bool factory;
        int area;
        bool enabled;
    } cases[] = {{false, 0, false}, {false, 2, true}, {true, 0, true}, {false, 0, false}};
    for (const auto& c : cases) {
        if (window_->Logic().FactoryMode() != c.factory) window_->Logic().ToggleControlMode();
        area->setCurrentIndex(c.area);
        emit area->activated(c.area);
        QCOMPARE(store->isEnabled(), c.enabled);
    }

    // A device path no listing finds, typed into the port box: a second camera, a VR-8200-KB. It joins
    // the list, the line is negotiated and the pages show the other model.
    sim::PtyServer second;
    sim::SimOptions options;
    options.model = "KB";
    options.linkPath = (folder_ + "/second-camera").toStdString();
    std::string error;
    QVERIFY2(second.Start(options, &error), error.c_str());
    const QString typed = QString::fromStdString(second.LinkPath());
    ports->lineEdit()->setText(typed);
    QTest::keyClick(ports->lineEdit(), Qt::Key_Return);
    QCOMPARE(ports->currentText(), typed);
    QCOMPARE(second.CameraRate(), 115200u);
    QCOMPARE(window_->Binding().GetText(1142), std::string("VR-8200-KB"));  // the model display
    QVERIFY(window_->Strip()->IsOnline());
    QVERIFY(platform_.boxes.empty());

    ports->setCurrentIndex(cameraPort);
    emit ports->activated(cameraPort);
    QCOMPARE(window_->Binding().GetText(1142), std::string("VR-8200-KA"));
    second.Stop();

    area->setCurrentIndex(2);
    emit area->activated(2);
    QTest::mouseClick(controls.As<QPushButton>(dialogs::comm::kStore), Qt::LeftButton);
    QCOMPARE(platform_.progressTexts.back(), std::string("Now, Storing camera data."));
    QCOMPARE(platform_.boxes.back().text, std::string("Completed to store current setting data!"));
    QTest::mouseClick(controls.As<QPushButton>(dialogs::comm::kGetArea), Qt::LeftButton);
    QCOMPARE(controls.GetText(dialogs::comm::kAreaName), std::string("User 2 Data"));
}

void MainWindowTest::cancelInTheProgressWindowStopsTheReadBetweenCommands() {
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
    platform_.boxes.clear();
    const size_t before = window_->Services().engine.ReceivedLineCount();
    window_->Logic().OnMenuCommand(30002);
    QVERIFY(!press.isActive());
    QVERIFY(window_->Logic().LastReadStopped());
    const size_t read = window_->Logic().LastRead().size();
    QVERIFY(read > 0 && read < 146);
    QCOMPARE(platform_.boxes.size(), size_t(1));
    QCOMPARE(platform_.boxes[0].text, "Stopped after " + std::to_string(read) + " of 146 settings.");
    QCOMPARE(window_->Services().engine.ReceivedLineCount(), before);
    // Everything is given back: the window takes input and the next read runs to its end.
    QVERIFY(window_->isEnabled());
    QVERIFY(window_->Communication()->isEnabled());
    window_->Logic().OnMenuCommand(30002);
    QVERIFY(!window_->Logic().LastReadStopped());
    QCOMPARE(window_->Logic().LastRead().size(), size_t(146));
}

void MainWindowTest::cleanupTestCase() {
    tool_.Close();
    window_ = nullptr;
    camera_.Stop();
    tool_.core.reset();
}
