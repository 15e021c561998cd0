// The "Cameras" window offscreen: its rows, a snapshot of every camera, a refresh that reads them in
// parallel (lamps, model, ID, area, golden), a double click that opens a camera's main window, and
// File > "Open Camera List..." with a good and a bad list.

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <set>

#include "CameraListAction.h"
#include "CamerasWindow.h"
#include "Features.h"
#include "MainWindow.h"
#include "QtTestMain.h"
#include "TestPlatform.h"
#include "app/CoreServices.h"
#include "journal/History.h"
#include "journal/Journal.h"
#include "sim/PtyServer.h"

namespace {

using vr::gui::CamerasWindow;

class CamerasWindowTest : public QObject {
    Q_OBJECT
public:
    explicit CamerasWindowTest(const QString& folder) : folder_(folder) {}

private slots:
    void initTestCase() {
        for (auto* camera : {&a_, &b_}) {
            std::string error;
            QVERIFY2(camera->Start(vr::sim::SimOptions(), &error), error.c_str());
        }
        const QString text = QString(
                                 "[[camera]]\nname = \"a\"\nport = \"%1\"\ngolden = \"a.cam\"\n"
                                 "[[camera]]\nname = \"b\"\nport = \"%2\"\ngolden = \"b.cam\"\n"
                                 "[[camera]]\nname = \"gone\"\nport = \"/dev/vr8200-no-such-camera\"\n")
                                 .arg(QString::fromStdString(a_.DevicePath()), QString::fromStdString(b_.DevicePath()));
        Write("line.toml", text.toUtf8());
        Write("bad.toml", "[[camera]]\nname = \"a\"\nport = \"/dev/ttyS0\"\nlink = \"cl11\"\n");
    }

    void cleanupTestCase() {
        a_.Stop();
        b_.Stop();
    }

    void snapshotThenRefreshFillEveryRow() {
        const auto inventory = vr::fleet::ReadInventory(Path("line.toml"));
        QVERIFY(inventory.Usable());
        vr::journal::Journal journal(Path("journal.sqlite"));
        CamerasWindow window(inventory, QString::fromStdString(Path("line.toml")), nullptr, &journal);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTableWidget* table = window.Table();
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->item(0, CamerasWindow::kPosition)->text(), QString("a"));
        QCOMPARE(table->item(2, CamerasWindow::kLink)->text(), QString("/dev/vr8200-no-such-camera"));
        QCOMPARE(table->item(0, CamerasWindow::kLamp)->text(), QString());

        // The golden files are the cameras' own snapshots, b's with one gain changed.
        vr::fleet::FleetRequest snapshot;
        snapshot.operation = vr::fleet::Operation::Snapshot;
        snapshot.folder = folder_.toStdString();
        QVERIFY(RunToTheEnd(window, snapshot));
        QCOMPARE(table->item(0, CamerasWindow::kResult)->text().endsWith("lines saved"), true);
        QCOMPARE(table->item(2, CamerasWindow::kLamp)->text(), QString(CamerasWindow::kOffline));
        // Each camera's full read and saved file are in the journal under its own link.
        journal.Flush();
        vr::journal::History history;
        std::string error;
        QVERIFY2(history.Open(Path("journal.sqlite"), error), error.c_str());
        std::multiset<std::string> recorded;
        for (const vr::journal::Entry& e : history.List({})) recorded.insert(e.kind + " " + e.camera.link);
        for (const auto* camera : {&a_, &b_}) {
            QCOMPARE(recorded.count("snapshot " + camera->DevicePath()), size_t{1});
            QCOMPARE(recorded.count("settings-saved " + camera->DevicePath()), size_t{1});
        }
        QByteArray golden = Read("b.cam");
        QVERIFY(golden.contains("\r\nGA=100\r\n"));
        Write("b.cam", golden.replace("\r\nGA=100\r\n", "\r\nGA=123\r\n"));

        QSignalSpy finished(&window, &CamerasWindow::finished);
        QTest::mouseClick(window.RefreshButton(), Qt::LeftButton);
        QVERIFY(!window.RefreshButton()->isEnabled());
        QVERIFY(window.StopButton()->isEnabled());
        QVERIFY(finished.wait(60000));
        const QString expected[3][5] = {
            {CamerasWindow::kOnline, "VR-8200-KA", "2400012345", "0", "matches golden"},
            {CamerasWindow::kOnline, "VR-8200-KA", "2400012345", "0", "1 difference"},
            {CamerasWindow::kOffline, "", "", "", "cannot open /dev/vr8200-no-such-camera"},
        };
        const int columns[] = {CamerasWindow::kLamp, CamerasWindow::kModel, CamerasWindow::kCameraId,
                               CamerasWindow::kArea, CamerasWindow::kResult};
        for (int row = 0; row < 3; ++row) {
            for (int c = 0; c < 5; ++c)
                QCOMPARE(table->item(row, columns[c])->text().left(expected[row][c].size()), expected[row][c]);
            QCOMPARE(window.RowProgress(row)->value(), 100);
        }
        QCOMPARE(window.RowProgress(2)->format(), QString("failed"));
        QVERIFY(window.Details()->toPlainText().contains("b:\n  GA file=123 camera=100"));
        QVERIFY(window.RefreshButton()->isEnabled());
    }

    void doubleClickOpensTheCameraInTheDesktopTool() {
        auto inventory = vr::fleet::ReadInventory(Path("line.toml"));
        inventory.cameras.push_back(inventory.cameras[0]);
        inventory.cameras.back().mode = 3;  // cl11
        inventory.cameras.back().portIndex = 2;
        CamerasWindow window(inventory, "line.toml");
        QStringList launched;
        window.SetLauncher([&launched](const QStringList& arguments) {
            launched = arguments;
            return true;
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTableWidget* table = window.Table();
        const QRect cell = table->visualItemRect(table->item(1, CamerasWindow::kPosition));
        // A double click is a click and a second press within the double-click time.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(launched, (QStringList{"--port", QString::fromStdString(b_.DevicePath()), "--no-journal"}));
        QCOMPARE(window.OpenArguments(3), (QStringList{"--link", "cl11", "--port-index", "2", "--no-journal"}));
        // A camera's own window keeps the journal of the window it was opened from.
        vr::journal::Journal journal(Path("opened.sqlite"));
        CamerasWindow recorded(inventory, "line.toml", nullptr, &journal);
        QCOMPARE(recorded.OpenArguments(0).mid(2),
                 (QStringList{"--journal", QString::fromStdString(Path("opened.sqlite"))}));
    }

    void fileMenuOpensAGoodListAndReportsABadOne() {
        vr::test::TestPlatform platform;
        vr::app::CoreServices core(platform, (folder_ + "/config").toStdString());
        vr::gui::MainWindow window(core.Session());
        platform.SetMainWindow(&window);
        vr::gui::Features features(window);
        QMenu* file = window.Menu(0);
        QVERIFY(file != nullptr);
        const QList<QAction*> actions = file->actions();
        const qsizetype at = actions.indexOf(file->findChild<QAction*>("openCameraList"));
        QVERIFY(at >= 0);
        QCOMPARE(actions[at + 1]->text(), QString("E&xit"));
        auto* open = window.findChild<vr::gui::CameraListAction*>();
        QVERIFY(open != nullptr);

        QVERIFY(!open->Open(QString::fromStdString(Path("bad.toml"))));
        const QStringList boxes = platform.TakeBoxes();
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].endsWith("This camera list cannot be used:\nline 3: a Camera Link camera takes port_index, "
                                   "not port\nline 4: a Camera Link camera needs a port_index"),
                 qPrintable(boxes[0]));
        QVERIFY(open->Window() == nullptr);

        QVERIFY(open->Open(QString::fromStdString(Path("line.toml"))));
        QVERIFY(open->Window() != nullptr);
        QVERIFY(open->Window()->isVisible());
        QSignalSpy finished(open->Window(), &CamerasWindow::finished);
        QVERIFY(finished.wait(60000));
        QCOMPARE(open->Window()->Table()->item(0, CamerasWindow::kLamp)->text(), QString(CamerasWindow::kOnline));
        window.Logic().SetCloseWithoutConfirm(true);
    }

private:
    bool RunToTheEnd(CamerasWindow& window, const vr::fleet::FleetRequest& request) {
        QSignalSpy finished(&window, &CamerasWindow::finished);
        return window.Start(request) && finished.wait(60000);
    }
    std::string Path(const QString& name) const { return (folder_ + "/" + name).toStdString(); }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile f(folder_ + "/" + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    QByteArray Read(const QString& name) {
        QFile f(folder_ + "/" + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString folder_;
    vr::sim::PtyServer a_, b_;
};

}  // namespace

int main(int argc, char** argv) {
    return ::test::RunQtTests<CamerasWindowTest>(argc, argv);
}

#include "CamerasWindowTest.moc"
