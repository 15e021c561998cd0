// The desktop tool's settings feature as the operator reaches it, against the virtual camera: the
// menus and the communication dialog's file buttons wired, the Settings menu's area dialog.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "AreaSelectDialog.h"
#include "CommunicationWindow.h"
#include "DeviceForRun.h"
#include "Features.h"
#include "MainWindow.h"
#include "TestPlatform.h"
#include "app/CoreServices.h"
#include "dialogs/CommunicationDialog.h"
#include "sim/PtyServer.h"

using namespace vr;

namespace {

// Runs `act` on the modal window once one is up, until it takes one (returns true).
void OnModal(std::function<bool(QWidget*)> act) {
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act, tries] {
        QWidget* modal = QApplication::activeModalWidget();
        if (++*tries < 1000 && (modal == nullptr || !act(modal))) return;
        timer->stop();
        timer->deleteLater();
    });
    timer->start(10);
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
        QCOMPARE(platform_.boxes.size(), size_t{1});
        QCOMPARE(platform_.boxes[0].text, std::string("Completed saving current setting data !"));
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
    test::TestPlatform platform_;
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
