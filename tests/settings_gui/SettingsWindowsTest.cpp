// The desktop tool's settings windows against the virtual camera: the File menu's compare window
// with its load button, the Settings menu's area dialog, and the communication dialog's file
// buttons, all reached the way the operator reaches them.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include "AreaSelectDialog.h"
#include "CommunicationWindow.h"
#include "CompareWindow.h"
#include "DeviceForRun.h"
#include "Features.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "app/CoreServices.h"
#include "dialogs/CommunicationDialog.h"
#include "protocol/Command.h"
#include "sim/PtyServer.h"

using namespace vr;

namespace {

// Message boxes recorded, file dialogs answered from a queue; the progress window without its pause.
class ScriptedPlatform : public gui::QtPlatform {
public:
    ScriptedPlatform() { SetProgressFinishPauseMs(0); }
    app::MsgResult MessageBox(const std::string& text, const std::string&, app::MsgIcon, app::MsgButtons) override {
        boxes.push_back(text);
        return app::MsgResult::Ok;
    }
    std::string OpenFileDialog(const std::string&, const std::string&, const std::vector<app::FileFilter>&) override {
        return Next();
    }
    std::string SaveFileDialog(const std::string&, const std::string&, const std::string&,
                               const std::vector<app::FileFilter>&) override {
        return Next();
    }
    std::vector<std::string> boxes;
    std::deque<std::string> files;

private:
    std::string Next() {
        if (files.empty()) return {};
        std::string f = files.front();
        files.pop_front();
        return f;
    }
};

// Runs `act` on the modal window once one is up, until it takes one (returns true).
void OnModal(std::function<bool(QWidget*)> act) {
    auto tries = std::make_shared<int>(0);
    auto step = std::make_shared<std::function<void()>>();
    *step = [act, tries, step] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && act(modal)) return;
        if (++*tries < 1000) QTimer::singleShot(10, *step);
    };
    QTimer::singleShot(0, *step);
}

QAction* MenuAction(gui::MainWindow& window, uint32_t id) {
    return window.findChild<QAction*>(QString::number(id));
}

}  // namespace

class SettingsWindowsTest : public QObject {
    Q_OBJECT
public:
    explicit SettingsWindowsTest(const QString& folder) : folder_(folder) {}

private slots:
    void initTestCase() {
        sim::SimOptions options;
        options.model = "KA";
        options.areaMs = 10;
        options.linkPath = (folder_ + "/camera").toStdString();
        std::string error;
        QVERIFY2(camera_.Start(options, &error), error.c_str());
        core_ = std::make_unique<app::CoreServices>(platform_, (folder_ + "/config").toStdString());
        QVERIFY(gui::UseDeviceForRun(core_->link, camera_.LinkPath()));
        window_ = std::make_unique<gui::MainWindow>(core_->Get());
        features_ = std::make_unique<gui::Features>(*window_);
        window_->RefreshMenuAvailability();
        platform_.SetMainWindow(window_.get());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        window_->Logic().OnInitDialog();
        QVERIFY(platform_.boxes.empty());
    }

    void menusAndCommunicationButtonsAreWired() {
        for (uint32_t id : {30008u, 30011u, 30012u, 30013u, 30003u, 30004u})
            QVERIFY(MenuAction(*window_, id)->isEnabled());
        QCOMPARE(MenuAction(*window_, 30013)->text(), QString("Compare with File..."));
        auto& comm = window_->Communication()->Controls();
        QVERIFY(comm.IsEnabled(dialogs::comm::kWriteSettingsFile));
        QVERIFY(comm.IsEnabled(dialogs::comm::kReadSettingsFile));
        // "Write To File..." saves what the tool holds.
        const QString path = folder_ + "/from-dialog.cam";
        platform_.files = {path.toStdString()};
        window_->Communication()->Logic().OnWriteSettingsFile();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("TM=0\r\nTI=0\r\n"));
    }

    void compareWindowShowsTheDifferencesAndLoadsTheFile() {
        const QString path = folder_ + "/golden.cam";
        QFile golden(path);
        QVERIFY(golden.open(QIODevice::WriteOnly));
        golden.write("GA=250\r\nLROP=1\r\nBL=0\r\n");
        golden.close();
        int rows = 0;
        QString gain, lackedCamera;
        OnModal([&](QWidget* modal) {
            auto* compare = qobject_cast<gui::CompareWindow*>(modal);
            if (compare == nullptr) return false;
            QTableWidget* table = compare->Table();
            rows = table->rowCount();
            for (int row = 0; row < rows; ++row)
                if (table->item(row, gui::CompareWindow::kName)->text() == "GA")
                    gain = table->item(row, gui::CompareWindow::kFile)->text() + " " +
                           table->item(row, gui::CompareWindow::kCamera)->text();
            lackedCamera = table->item(rows - 1, gui::CompareWindow::kCamera)->text();
            compare->LoadButton()->click();
            return true;
        });
        platform_.files = {path.toStdString()};
        MenuAction(*window_, 30013)->trigger();
        // Every setting the file lacks is listed too, the line the model lacks last.
        QVERIFY(rows > 100);
        QCOMPARE(gain, QString("250 100"));
        QCOMPARE(lackedCamera, QString("not on this model"));
        QCOMPARE(camera_.Value("GA"), std::optional<int32_t>(250));
        QVERIFY(platform_.boxes.empty());
    }

    void storeSettingsAsksForTheAreaInItsDialog() {
        QStringList offered;
        OnModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<gui::AreaSelectDialog*>(modal);
            auto* combo = dialog != nullptr ? dialog->findChild<QComboBox*>() : nullptr;
            if (combo == nullptr) return false;
            for (int i = 0; i < combo->count(); ++i) offered << combo->itemText(i);
            combo->setCurrentIndex(combo->findText("User 3"));
            dialog->accept();
            return true;
        });
        MenuAction(*window_, 30003)->trigger();
        QCOMPARE(offered, QStringList({"User 1", "User 2", "User 3"}));
        QCOMPARE(camera_.Value("EA"), std::optional<int32_t>(3));
        QCOMPARE(platform_.boxes, std::vector<std::string>{"Completed saving current setting data !"});
    }

    void cleanupTestCase() {
        window_->Logic().SetCloseWithoutConfirm(true);
        window_->close();
        window_->Logic().OnDestroy();
        features_.reset();
        window_.reset();
        camera_.Stop();
    }

private:
    QString folder_;
    ScriptedPlatform platform_;
    sim::PtyServer camera_;
    std::unique_ptr<app::CoreServices> core_;
    std::unique_ptr<gui::MainWindow> window_;
    std::unique_ptr<gui::Features> features_;
};

int main(int argc, char** argv) {
    QTemporaryDir folder;
    if (!folder.isValid()) return 1;
    qputenv("VR8200_CONFIG_DIR", folder.filePath("config").toUtf8());
    qputenv("VR8200_CLSER_DIR", folder.path().toUtf8());
    qputenv("VR8200_CLSERIAL_LIB", folder.filePath("none.so").toUtf8());
    qputenv("VR8200_CLALLSERIAL_LIB", folder.filePath("none.so").toUtf8());
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(icons);
    SettingsWindowsTest test(folder.path());
    return QTest::qExec(&test, argc, argv);
}

#include "SettingsWindowsTest.moc"
