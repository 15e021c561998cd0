// The journal in the desktop tool: the History window's timeline and differences, Revert bringing
// the camera back, and the status bar when the journal is off or failing.

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "CameraIdWindow.h"
#include "HistoryWindow.h"
#include "JournalFront.h"
#include "QtTestMain.h"
#include "StartedDesktopTool.h"
#include "TestPlatform.h"
#include "UserIdWindow.h"
#include "app/CoreServices.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "sim/PtyServer.h"

using namespace vr;

class JournalWindowTest : public QObject {
    Q_OBJECT
public:
    explicit JournalWindowTest(const QString& folder) : folder_(folder) {}

private slots:
    void init() {
        std::string error;
        QVERIFY2(camera_.Start(sim::SimOptions(), &error), error.c_str());
        tool_.Start(platform_, folder_ + "/config", camera_.DevicePath());
    }

    void cleanup() {
        tool_.Close();
        tool_.core.reset();
        camera_.Stop();
        platform_.TakeBoxes();
    }

    void historyComparesTwoPointsAndRevertBringsTheCameraBack() {
        gui::JournalFront front(*tool_.window, (folder_ + "/journal.sqlite").toStdString());
        ui::CCtrlToolDlg& logic = tool_.window->Logic();
        logic.ReadAllSettings();
        // Changed behind the tool's back, then read again.
        protocol::Command& engine = tool_.core->engine;
        QCOMPARE(engine.SendCommandInt(protocol::cmd::GA, 300, std::chrono::milliseconds(5000)), 1);
        logic.ReadAllSettings();

        gui::HistoryWindow* history = front.ShowHistory();
        QVERIFY(history != nullptr);
        QCOMPARE(history->Timeline()->rowCount(), 2);
        QCOMPARE(history->Timeline()->item(0, 2)->text(), QString("snapshot"));
        // From the first snapshot to the camera as last read.
        QCOMPARE(history->From()->currentIndex(), 0);
        QCOMPARE(history->To()->currentText(), QString("The camera as last read"));
        QCOMPARE(history->Differences()->rowCount(), 1);
        QCOMPARE(history->Differences()->item(0, 0)->text(), QString("GA"));
        QCOMPARE(history->Differences()->item(0, 1)->text(), QString("100"));
        QCOMPARE(history->Differences()->item(0, 2)->text(), QString("300"));
        // The same between the two snapshots; none between the second and the camera.
        history->To()->setCurrentIndex(1);
        QCOMPARE(history->Differences()->rowCount(), 1);
        history->From()->setCurrentIndex(1);
        history->To()->setCurrentIndex(2);
        QCOMPARE(history->Differences()->rowCount(), 0);

        history->From()->setCurrentIndex(0);
        platform_.answers = {platform::MsgResult::No};
        QVERIFY(!history->Revert());
        int32_t ga = 0;
        QCOMPARE(engine.QueryInt(protocol::cmd::GA, ga, std::chrono::milliseconds(5000)), 1);
        QCOMPARE(ga, 300);

        platform_.answers = {platform::MsgResult::Yes};
        QVERIFY(history->Revert());
        QCOMPARE(engine.QueryInt(protocol::cmd::GA, ga, std::chrono::milliseconds(5000)), 1);
        QCOMPARE(ga, 100);
        // The revert is in the timeline, between the snapshots around it.
        QStringList kinds;
        for (int row = 0; row < history->Timeline()->rowCount(); ++row)
            kinds << history->Timeline()->item(row, 2)->text();
        QCOMPARE(kinds, (QStringList{"snapshot", "snapshot", "set", "snapshot"}));
        QVERIFY(history->Timeline()->item(2, 3)->text().startsWith("GA 300"));
        QVERIFY(front.StateText().isEmpty());
        history->close();
    }

    // The ID editors' saves are the camera's records changing: both are in the timeline.
    void idEditorsRecordWhatTheyWrite() {
        gui::JournalFront front(*tool_.window, (folder_ + "/ids.sqlite").toStdString());
        const auto save = [](QDialog& dialog) {
            for (QPushButton* button : dialog.findChildren<QPushButton*>())
                if (button->text() == "Save") QTest::mouseClick(button, Qt::LeftButton);
        };
        gui::UserIdWindow userId(tool_.core->Session(), tool_.window.get());
        userId.findChild<QLineEdit*>()->setText("line 7");
        save(userId);
        gui::CameraIdWindow cameraId(tool_.core->Session(), true, tool_.window.get());
        for (size_t i = 0; i < 10; ++i) cameraId.Field(i)->setText(QString("2400012399").mid(static_cast<int>(i), 1));
        save(cameraId);

        gui::HistoryWindow* history = front.ShowHistory();
        QVERIFY(history != nullptr);
        QStringList written;
        for (int row = 0; row < history->Timeline()->rowCount(); ++row)
            if (history->Timeline()->item(row, 2)->text() == "text-written")
                written << history->Timeline()->item(row, 3)->text();
        QCOMPARE(written, (QStringList{"UD=\"line 7\"", "ID00=\"2400012399\""}));
        history->close();
    }

    void statusBarSaysWhenTheJournalIsOffOrFailing() {
        gui::JournalFront off(*tool_.window, {});
        QCOMPARE(off.StateField()->text(), QString("Journal off"));
        QVERIFY(off.ShowHistory() == nullptr);

        QFile file(folder_ + "/a-file");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        gui::JournalFront failing(*tool_.window, (folder_ + "/a-file/journal.sqlite").toStdString());
        tool_.window->Logic().ReadAllSettings();  // the camera work goes on
        QVERIFY(tool_.core->Session().LastRead().rows.size() > 100);
        QTRY_COMPARE(failing.StateField()->text(), QString("Journal failing"));
        QVERIFY(failing.StateField()->toolTip().contains("cannot be written"));
    }

private:
    QString folder_;
    vr::test::TestPlatform platform_;
    sim::PtyServer camera_;
    vr::test::StartedDesktopTool tool_;
};

int main(int argc, char** argv) {
    return ::test::RunQtTests<JournalWindowTest>(argc, argv);
}

#include "JournalWindowTest.moc"
