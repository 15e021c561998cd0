// The desktop habits around the main window: the status bar, the parameter search, the file keys
// and the Recent list, the window's place and Reconnect.

#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTreeWidget>
#include <optional>

#include "GuiTests.h"

using namespace vr;
namespace id = vr::protocol::id;

void MainWindowTest::statusBarFollowsPortRateModelAreaModeAndLine() {
    QCOMPARE(habits_->Status().Field("statusPort")->toolTip(), QString::fromStdString(camera_->LinkPath()));
    QCOMPARE(Field("statusRate"), QString("115200 bit/s"));
    QCOMPARE(Field("statusModel"), QString("VR-8200-KA"));
    QCOMPARE(Field("statusLine"), QString("Online"));

    // The camera's active area changes with "LD": the next "EA" shows it.
    QCOMPARE(tool_.core->engine.SendCommandInt(protocol::cmd::LD, 2, protocol::milliseconds(10000)), 1);
    QCOMPARE(window_->Logic().QueryCurrentArea(), 1);
    QCOMPARE(Field("statusArea"), QString("User 2 Data"));

    window_->Logic().ToggleControlMode();
    QCOMPARE(Field("statusMode"), QString("Factory mode"));
    window_->Logic().ToggleControlMode();
    QCOMPARE(Field("statusMode"), QString("User mode"));

    // The fields are permanent: a passing message leaves them where they are.
    window_->statusBar()->showMessage("a passing text");
    QVERIFY(habits_->Status().Field("statusLine")->isVisible());
    window_->statusBar()->clearMessage();
    QCOMPARE(window_->statusBar()->contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(window_->statusBar()->actions().contains(&habits_->Reconnect()));
}

void MainWindowTest::searchListsMatchesAndGoesToTheControl() {
    using Search = gui::ParameterSearchWindow;
    Search& search = habits_->Search();
    Focus(window_->Binding().Widget(id::kGainAll));
    QTest::keyClick(window_, Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY(search.isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(search.Field()));

    QTest::keyClicks(search.Field(), "gain red");
    QTreeWidget* results = search.Results();
    QVERIFY(results->topLevelItemCount() >= 1);
    QStringList first;
    for (int column = 0; column < Search::kColumnCount; ++column) first << results->topLevelItem(0)->text(column);
    QCOMPARE(first, (QStringList{"Gain Red", "GAR", QString::number(id::kGainRed), "User A", "Gain and Black"}));

    // The factory page has no tab in user mode: its parameters are not offered.
    search.Field()->setText("nr threshold");
    QCOMPARE(results->topLevelItemCount(), 0);

    // Enter goes to the first match on another page, focuses and outlines it.
    search.Field()->setText("lut sel");
    QVERIFY(results->topLevelItemCount() >= 1);
    QCOMPARE(results->topLevelItem(0)->text(Search::kControlId), QString::number(id::kLutMode));
    window_->Tabs()->setCurrentIndex(0);
    QTest::keyClick(search.Field(), Qt::Key_Return);
    QWidget* lutMode = window_->Binding().Widget(id::kLutMode);
    QVERIFY(!search.isVisible());
    QCOMPARE(window_->Tabs()->currentWidget(), window_->Page(1));
    QTRY_COMPARE(QApplication::focusWidget(), lutMode);
    QCOMPARE(search.Highlighted(), lutMode);
    window_->Tabs()->setCurrentIndex(0);
}

void MainWindowTest::fileKeysOpenAndSaveAndTheRecentListDropsAMissingFile() {
    // Each key on a page edit, as the operator presses it; a progress window may have taken the focus.
    auto press = [this](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QWidget* gain = window_->Binding().Widget(id::kGainAll);
        Focus(gain);
        QTest::keyClick(gain, key, modifiers);
    };
    for (const char* name : {"a.cam", "b.cam"}) {
        platform_.files = {Path(name)};
        press(Qt::Key_S, Qt::ControlModifier);
        QVERIFY2(QFile::exists(QString::fromStdString(Path(name))), name);
    }
    QCOMPARE(habits_->Recent().Paths(), (std::vector<std::string>{Path("b.cam"), Path("a.cam")}));
    platform_.files = {Path("a.cam")};
    press(Qt::Key_O, Qt::ControlModifier);
    QVERIFY(platform_.files.empty());
    QCOMPARE(habits_->Recent().Paths(), (std::vector<std::string>{Path("a.cam"), Path("b.cam")}));

    // F5 reads everything again: the camera's new gain reaches the page.
    QCOMPARE(tool_.core->engine.SendCommandInt(protocol::cmd::GA, 777, protocol::milliseconds(5000)), 1);
    press(Qt::Key_F5, Qt::NoModifier);
    QCOMPARE(window_->Binding().GetText(id::kGainAll), std::string("777"));

    QMenu* recent = habits_->RecentMenu();
    QVERIFY(recent != nullptr);
    QVERIFY(window_->Menu(0)->actions().contains(recent->menuAction()));
    QCOMPARE(recent->actions().size(), 2);
    QCOMPARE(recent->actions()[0]->text(), QString("&1 a.cam"));
    QCOMPARE(recent->actions()[0]->data().toString(), QString::fromStdString(Path("a.cam")));
    QVERIFY(platform_.boxes.empty());

    QVERIFY(QFile::remove(QString::fromStdString(Path("b.cam"))));
    habits_->RecentMenu()->actions()[1]->trigger();
    QCOMPARE(platform_.TakeBoxes(),
             QStringList{"VR-8200 Control Tool: " + QString::fromStdString(Path("b.cam")) +
                         "\nThis file is no longer there; it has been taken off the Recent list."});
    QCOMPARE(habits_->Recent().Paths(), std::vector<std::string>{Path("a.cam")});
    QCOMPARE(habits_->RecentMenu()->actions().size(), 1);

    // A file still there is loaded from the list and stays at the top.
    QFile file(QString::fromStdString(Path("a.cam")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QRegularExpression gainLine("^GA=(\\d+)\r?$", QRegularExpression::MultilineOption);
    const int fileGain = gainLine.match(QString::fromUtf8(file.readAll())).captured(1).toInt();
    QVERIFY(fileGain > 0);
    QCOMPARE(tool_.core->engine.SendCommandInt(protocol::cmd::GA, fileGain + 1, protocol::milliseconds(5000)), 1);
    habits_->RecentMenu()->actions()[0]->trigger();
    QCOMPARE(camera_->Value("GA"), std::optional<int32_t>(fileGain));
    QCOMPARE(habits_->Recent().Paths(), std::vector<std::string>{Path("a.cam")});
}

void MainWindowTest::windowPlaceIsStoredAndRestored() {
    const QRect place(40, 30, 900, 640);
    window_->setGeometry(place);
    QTRY_COMPARE(window_->geometry().size(), place.size());
    const QRect shown = window_->geometry();
    window_->hide();  // closing hides the window: the place is stored then, and nowhere before
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    window_->setGeometry(QRect(10, 10, 700, 500));
    QTRY_COMPARE(window_->geometry().size(), QSize(700, 500));
    QVERIFY(habits_->RestoreGeometry());
    QTRY_COMPARE(window_->geometry(), shown);
}

// The line's loss and the start-up again are the headless pty tests'; here the button, the
// action's result and what the windows show after.
void MainWindowTest::reconnectAfterTheLineWentAwayRefillsThePages() {
    // Unplugged: the next command finds nobody and the bar turns to Offline.
    camera_->Stop();
    window_->Logic().QueryCurrentArea();
    QCOMPARE(Field("statusLine"), QString("Offline"));

    // Plugged in again: a fresh camera behind the same name, with a gain other than the page shows.
    StartCamera();
    const std::string cameraGain = std::to_string(camera_->Value("GA").value_or(-1));
    QVERIFY(window_->Binding().GetText(id::kGainAll) != cameraGain);
    platform_.boxes.clear();
    QSignalSpy reconnected(&habits_->Reconnect(), &gui::ReconnectAction::reconnected);
    auto* button = window_->Communication()->findChild<QPushButton*>("reconnect");
    QVERIFY(button != nullptr);
    QCOMPARE(button->text(), QString("Reconnect"));
    button->click();
    QCOMPARE(reconnected.size(), 1);
    QCOMPARE(reconnected[0][0].toInt(), 1);
    QVERIFY(platform_.boxes.empty());
    QCOMPARE(window_->Binding().GetText(id::kGainAll), cameraGain);
    QCOMPARE(Field("statusLine"), QString("Online"));
    QCOMPARE(Field("statusRate"), QString("115200 bit/s"));
}
