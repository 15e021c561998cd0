// The identity dialogs' windows in the started desktop tool: what factory mode shows, and the menu
// that opens them.

#include <QAbstractButton>

#include "AboutDialog.h"
#include "CameraIdDialog.h"
#include "GuiTests.h"
#include "identity/IdentityIds.h"

using namespace vr;

void MainWindowTest::aboutDialogsUserIdLockPairAnswersTheMouse() {
    using namespace identity::about;
    gui::AboutDialog dialog(tool_.core->Get(), {false, folder_.toStdString(), "/nowhere/README.md"}, window_);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    gui::WidgetBinding& c = dialog.Controls();
    QCOMPARE(c.GetText(kLink), std::string("/nowhere/README.md"));
    QVERIFY(!c.Widget(kUserId)->isEnabled());
    QTest::mouseClick(c.Widget(kEnableUserIdEdit), Qt::LeftButton);
    QVERIFY(c.Widget(kUserId)->isEnabled() && c.Widget(kSaveUserId)->isEnabled());
    QVERIFY(!c.GetCheck(kProtectUserId));
    QTest::mouseClick(c.Widget(kEnableUserIdEdit), Qt::LeftButton);
    QVERIFY(c.GetCheck(kEnableUserIdEdit));  // a second click on the chosen box keeps it chosen
    QVERIFY(platform_.boxes.empty());
}

void MainWindowTest::cameraIdFieldsTakeOneCharacterEach() {
    using namespace identity::cameraid;
    gui::CameraIdDialog dialog(tool_.core->Get(), false, window_);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    std::string shown;
    for (uint32_t id : kFields) {
        auto* field = dialog.Controls().As<QLineEdit>(id);
        QCOMPARE(field->maxLength(), 1);
        shown += field->text().toStdString();
    }
    QCOMPARE(shown, *camera_->QueryValue("ID"));
    QTest::keyClicks(dialog.Controls().Widget(kFields[0]), "XYZ");
    QCOMPARE(dialog.Controls().GetText(kFields[0]), std::string("2"));
}

QString MainWindowTest::TitleOfDialogOpenedBy(uint32_t menuId) {
    auto* action = window_->findChild<QAction*>(QString::number(menuId));
    if (action == nullptr || !action->isEnabled()) return "<no enabled action>";
    QString title;
    QTimer watch;
    watch.setInterval(20);
    connect(&watch, &QTimer::timeout, this, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            title = modal->windowTitle();
            modal->close();
        }
    });
    watch.start();
    action->trigger();
    watch.stop();
    return title;
}

void MainWindowTest::menuOpensEachIdentityDialogModally() {
    QCOMPARE(TitleOfDialogOpenedBy(identity::kMenuAbout), QString("About This Control"));
    // Outside factory mode the identity editors are greyed, and a stray command opens nothing.
    QCOMPARE(TitleOfDialogOpenedBy(identity::kMenuEditCameraId), QString("<no enabled action>"));
    window_->Logic().OnMenuCommand(identity::kMenuEditCameraId);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    window_->Logic().ToggleControlMode();
    QVERIFY(window_->Logic().FactoryMode());
    QCOMPARE(TitleOfDialogOpenedBy(identity::kMenuEditCameraId), QString("Camera Id"));
    QCOMPARE(TitleOfDialogOpenedBy(identity::kMenuEditUserId), QString("User Id"));
    QVERIFY(platform_.boxes.empty());
}
