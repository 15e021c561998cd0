// The desktop habits around the main window, through the real window, the serial link and the
// virtual camera on a pseudo-terminal.

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <memory>
#include <optional>

#include "../gui/TestPlatform.h"
#include "CommunicationWindow.h"
#include "DesktopHabits.h"
#include "DeviceForRun.h"
#include "Features.h"
#include "MainWindow.h"
#include "ParameterSearchWindow.h"
#include "QtTestMain.h"
#include "ReconnectAction.h"
#include "StatusBar.h"
#include "app/CoreServices.h"
#include "app/Registry.h"
#include "link/CommSetting.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "sim/PtyServer.h"

using namespace vr;

namespace {

constexpr uint32_t kGainAll = 1041, kGainRed = 1246, kLutMode = 1116;

}  // namespace

// The desktop tool with its features and habits on a virtual VR-8200-KA; boxes answered Yes.
class DesktopTest : public QObject {
    Q_OBJECT
public:
    explicit DesktopTest(const QString& folder) : folder_(folder) { platform_.unansweredYesNo = app::MsgResult::Yes; }

private slots:
    void initTestCase() {
        StartCamera();
        core_ = std::make_unique<app::CoreServices>(platform_, (folder_ + "/config").toStdString());
        QVERIFY(gui::UseDeviceForRun(core_->link, camera_->LinkPath()));
        window_ = std::make_unique<gui::MainWindow>(core_->Get());
        window_->Logic().SetControlMode(ui::CCtrlToolDlg::kControlModeUser);
        platform_.SetMainWindow(window_.get());
        features_ = std::make_unique<gui::Features>(*window_);
        window_->RefreshMenuAvailability();
        habits_ = std::make_unique<gui::DesktopHabits>(*window_, *features_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        window_->Logic().OnInitDialog();
        QVERIFY(platform_.boxes.empty());
    }

    void statusBarFollowsPortRateModelAreaModeAndLine() {
        QCOMPARE(habits_->Status().Shown().port, camera_->LinkPath());
        QCOMPARE(habits_->Status().Field("statusPort")->toolTip(), QString::fromStdString(camera_->LinkPath()));
        QCOMPARE(Field("statusRate"), QString("115200 bit/s"));
        QCOMPARE(Field("statusModel"), QString("VR-8200-KA"));
        QVERIFY(window_->Logic().AreaKnown());
        const char* areas[] = {"Factory Data", "User 1 Data", "User 2 Data", "User 3 Data"};
        QCOMPARE(Field("statusArea"), QString(areas[window_->Logic().CurrentArea()]));
        QCOMPARE(Field("statusMode"), QString("User mode"));
        QCOMPARE(Field("statusLine"), QString("Online"));

        // The camera's active area changes with "LD": the next "EA" shows it.
        QCOMPARE(core_->engine.SendCommandInt(protocol::cmd::LD, 2, protocol::milliseconds(10000)), 1);
        QCOMPARE(window_->Logic().QueryCurrentArea(), 1);
        QCOMPARE(Field("statusArea"), QString("User 2 Data"));

        window_->Logic().ToggleControlMode();
        QCOMPARE(Field("statusMode"), QString("Factory mode"));
        window_->Logic().ToggleControlMode();
        QCOMPARE(Field("statusMode"), QString("User mode"));

        // The fields are permanent: a passing message leaves them where they are.
        window_->statusBar()->showMessage("a passing text");
        QCOMPARE(window_->statusBar()->currentMessage(), QString("a passing text"));
        QVERIFY(habits_->Status().Field("statusLine")->isVisible());
        window_->statusBar()->clearMessage();
        // Its context menu offers Reconnect.
        QCOMPARE(window_->statusBar()->contextMenuPolicy(), Qt::ActionsContextMenu);
        QVERIFY(window_->statusBar()->actions().contains(&habits_->Reconnect()));
    }

    void searchListsMatchesAndGoesToTheControl() {
        gui::ParameterSearchWindow& search = habits_->Search();
        Focus(window_->Binding().Widget(kGainAll));
        QTest::keyClick(window_.get(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(search.isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(search.Field()));

        QTest::keyClicks(search.Field(), "gain red");
        QTreeWidget* results = search.Results();
        QVERIFY(results->topLevelItemCount() >= 1);
        QTreeWidgetItem* first = results->topLevelItem(0);
        QCOMPARE(first->text(gui::ParameterSearchWindow::kCaption), QString("Gain Red"));
        QCOMPARE(first->text(gui::ParameterSearchWindow::kCommand), QString("GAR"));
        QCOMPARE(first->text(gui::ParameterSearchWindow::kControlId), QString::number(kGainRed));
        QCOMPARE(first->text(gui::ParameterSearchWindow::kPage), QString("User A"));
        QCOMPARE(first->text(gui::ParameterSearchWindow::kGroup), QString("Gain and Black"));

        // The factory page has no tab in user mode: its parameters are not offered.
        search.Field()->setText("nr threshold");
        QCOMPARE(results->topLevelItemCount(), 0);

        // Enter goes to the first match on another page, focuses and outlines it.
        search.Field()->setText("lut sel");
        QVERIFY(results->topLevelItemCount() >= 1);
        QCOMPARE(results->topLevelItem(0)->text(gui::ParameterSearchWindow::kControlId), QString::number(kLutMode));
        window_->Tabs()->setCurrentIndex(0);
        QTest::keyClick(search.Field(), Qt::Key_Return);
        QWidget* lutMode = window_->Binding().Widget(kLutMode);
        QVERIFY(!search.isVisible());
        QCOMPARE(window_->Tabs()->currentWidget(), window_->Page(1));
        QTRY_COMPARE(QApplication::focusWidget(), lutMode);
        QCOMPARE(search.Highlighted(), lutMode);
        // The tooltips still name the command and its range.
        QCOMPARE(window_->Binding().Widget(kGainRed)->toolTip().left(18), QString("Camera command GAR"));
        window_->Tabs()->setCurrentIndex(0);
    }

    void fileKeysOpenAndSaveAndFillTheRecentList() {
        // Each key on a page edit, as the operator presses it; a progress window may have taken the focus.
        auto press = [this](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            QWidget* gain = window_->Binding().Widget(kGainAll);
            Focus(gain);
            QTest::keyClick(gain, key, modifiers);
        };
        platform_.boxes.clear();
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
        QCOMPARE(core_->engine.SendCommandInt(protocol::cmd::GA, 777, protocol::milliseconds(5000)), 1);
        press(Qt::Key_F5, Qt::NoModifier);
        QCOMPARE(window_->Binding().GetText(kGainAll), std::string("777"));

        QMenu* recent = habits_->RecentMenu();
        QVERIFY(recent != nullptr);
        QVERIFY(window_->Menu(0)->actions().contains(recent->menuAction()));
        QCOMPARE(recent->actions().size(), 2);
        QCOMPARE(recent->actions()[0]->text(), QString("&1 a.cam"));
        QCOMPARE(recent->actions()[0]->data().toString(), QString::fromStdString(Path("a.cam")));
        QVERIFY(platform_.boxes.empty());
    }

    void aMissingRecentFileIsReportedAndDropped() {
        QVERIFY(QFile::remove(QString::fromStdString(Path("b.cam"))));
        platform_.boxes.clear();
        habits_->RecentMenu()->actions()[1]->trigger();
        QCOMPARE(platform_.boxes.size(), size_t{1});
        QVERIFY2(platform_.boxes[0].text.find(Path("b.cam")) == 0, platform_.boxes[0].text.c_str());
        QCOMPARE(habits_->Recent().Paths(), std::vector<std::string>{Path("a.cam")});
        QCOMPARE(habits_->RecentMenu()->actions().size(), 1);

        // A file still there is loaded from the list and stays at the top.
        platform_.boxes.clear();
        QFile file(QString::fromStdString(Path("a.cam")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        int fileGain = -1;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (line.startsWith("GA=")) fileGain = line.mid(3).trimmed().toInt();
        QVERIFY(fileGain > 0);
        QCOMPARE(core_->engine.SendCommandInt(protocol::cmd::GA, fileGain + 1, protocol::milliseconds(5000)), 1);
        habits_->RecentMenu()->actions()[0]->trigger();
        QCOMPARE(camera_->Value("GA"), std::optional<int32_t>(fileGain));
        QCOMPARE(habits_->Recent().Paths(), std::vector<std::string>{Path("a.cam")});
    }

    void windowPlaceIsStoredAndRestored() {
        const QRect place(40, 30, 900, 640);
        window_->setGeometry(place);
        QTRY_COMPARE(window_->geometry().size(), place.size());
        const QRect shown = window_->geometry();
        window_->hide();  // closing hides the window: the place is stored then
        std::string stored;
        QCOMPARE(core_->registry.ReadNamedText(app::kMainWindowGeometryName, stored), 1);
        QVERIFY(!stored.empty());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        window_->setGeometry(QRect(10, 10, 700, 500));
        QTRY_COMPARE(window_->geometry().size(), QSize(700, 500));
        QVERIFY(habits_->RestoreGeometry());
        QTRY_COMPARE(window_->geometry(), shown);
    }

    void reconnectAfterTheLineWentAwayRefillsThePages() {
        // The pages show a gain the replugged camera will not have.
        QCOMPARE(core_->engine.SendCommandInt(protocol::cmd::GA, 1234, protocol::milliseconds(5000)), 1);
        window_->Logic().ReadAllSettings();
        QCOMPARE(window_->Binding().GetText(kGainAll), std::string("1234"));
        // Unplugged: the next command finds nobody and the bar turns to Offline.
        camera_->Stop();
        window_->Logic().QueryCurrentArea();
        QCOMPARE(Field("statusLine"), QString("Offline"));

        // Plugged in again: a fresh camera behind the same name, with its own gain.
        StartCamera();
        QVERIFY(camera_->Value("GA").has_value());
        const std::string cameraGain = std::to_string(*camera_->Value("GA"));
        QVERIFY(window_->Binding().GetText(kGainAll) != cameraGain);
        platform_.boxes.clear();
        int result = -2;
        connect(&habits_->Reconnect(), &gui::ReconnectAction::reconnected, this, [&result](int r) { result = r; });
        auto* button = window_->Communication()->findChild<QPushButton*>("reconnect");
        QVERIFY(button != nullptr);
        QCOMPARE(button->text(), QString("Reconnect"));
        button->click();
        QCOMPARE(result, 1);
        QVERIFY(platform_.boxes.empty());
        QCOMPARE(window_->Binding().GetText(kGainAll), cameraGain);
        QCOMPARE(camera_->CameraRate(), 115200u);
        QCOMPARE(Field("statusLine"), QString("Online"));
        QCOMPARE(Field("statusRate"), QString("115200 bit/s"));
        QCOMPARE(window_->Communication()->Controls().GetText(dialogs::comm::kBaudRate), std::string("115200bps"));
        QVERIFY(!window_->Logic().LastReadEnded());
    }

    void cleanupTestCase() {
        if (window_) {
            window_->Logic().SetCloseWithoutConfirm(true);
            window_->close();
            window_->Logic().OnDestroy();
            habits_.reset();
            features_.reset();
            window_.reset();
        }
        if (camera_) camera_->Stop();
        core_.reset();
    }

private:
    void StartCamera() {
        sim::SimOptions options;
        options.model = "KA";
        options.linkPath = (folder_ + "/camera").toStdString();
        camera_ = std::make_unique<sim::PtyServer>();
        std::string error;
        QVERIFY2(camera_->Start(options, &error), error.c_str());
    }

    void Focus(QWidget* widget) {
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        widget->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), widget);
    }

    QString Field(const char* name) const {
        habits_->Status().Refresh();
        QLabel* label = habits_->Status().Field(name);
        return label != nullptr ? label->text() : QString("(no field %1)").arg(name);
    }

    std::string Path(const char* name) const { return (folder_ + "/" + name).toStdString(); }

    QString folder_;
    vr::test::TestPlatform platform_;
    std::unique_ptr<app::CoreServices> core_;
    std::unique_ptr<sim::PtyServer> camera_;
    std::unique_ptr<gui::MainWindow> window_;
    std::unique_ptr<gui::Features> features_;
    std::unique_ptr<gui::DesktopHabits> habits_;
};

int main(int argc, char** argv) {
    return ::test::RunQtTests<DesktopTest>(argc, argv);
}

#include "DesktopTest.moc"
