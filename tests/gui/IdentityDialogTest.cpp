// The identity dialogs' windows: what factory mode shows, and the menu that opens them.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "AboutDialog.h"
#include "CameraIdDialog.h"
#include "DeviceForRun.h"
#include "GuiTests.h"
#include "identity/IdentityIds.h"

using namespace vr;

void IdentityDialogTest::initTestCase() {
    sim::SimOptions options;
    options.model = "KA";
    options.linkPath = (folder_ + "/identity-camera").toStdString();
    std::string error;
    QVERIFY2(camera_.Start(options, &error), error.c_str());
    tool_.Start(platform_, folder_ + "/identity-config", camera_.LinkPath());
}

void IdentityDialogTest::aboutDialogWritesTheDeviceVersionOnlyInFactoryMode() {
    using namespace identity::about;
    for (bool factory : {false, true}) {
        gui::AboutDialog dialog(tool_.core->Get(), {factory, folder_.toStdString(), "/nowhere/README.md"},
                                tool_.window.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        gui::WidgetBinding& c = dialog.Controls();
        QCOMPARE(dialog.windowTitle(), QString("About This Control"));
        QCOMPARE(c.GetText(kFirmware), std::string("3.1.0.2"));
        QCOMPARE(c.GetText(kLink), std::string("/nowhere/README.md"));
        QCOMPARE(c.Widget(kSaveDeviceVersion)->isVisible(), factory);
        for (uint32_t id : kDeviceVersion) QCOMPARE(c.Widget(id)->isEnabled(), factory);

        // The lock pair, clicked as the operator does.
        QVERIFY(!c.Widget(kUserId)->isEnabled());
        QTest::mouseClick(c.Widget(kEnableUserIdEdit), Qt::LeftButton);
        QVERIFY(c.Widget(kUserId)->isEnabled() && c.Widget(kSaveUserId)->isEnabled());
        QVERIFY(!c.GetCheck(kProtectUserId));
        QTest::mouseClick(c.Widget(kEnableUserIdEdit), Qt::LeftButton);
        QVERIFY(c.GetCheck(kEnableUserIdEdit));  // a second click on the chosen box keeps it chosen
    }
    QVERIFY(platform_.boxes.empty());
}

void IdentityDialogTest::cameraIdFieldsTakeOneCharacterAndSaveOnlyInFactoryMode() {
    using namespace identity::cameraid;
    for (bool factory : {false, true}) {
        gui::CameraIdDialog dialog(tool_.core->Get(), factory, tool_.window.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QString("Camera Id"));
        QCOMPARE(dialog.Controls().Widget(kSave)->isVisible(), factory);
        std::string shown;
        for (uint32_t id : kFields) {
            auto* field = dialog.Controls().As<QLineEdit>(id);
            QCOMPARE(field->maxLength(), 1);
            shown += field->text().toStdString();
        }
        QCOMPARE(shown, *camera_.QueryValue("ID"));
        QTest::keyClicks(dialog.Controls().Widget(kFields[0]), "XYZ");
        QCOMPARE(dialog.Controls().GetText(kFields[0]), std::string("2"));
    }
}

QString IdentityDialogTest::TitleOfDialogOpenedBy(uint32_t menuId) {
    auto* action = tool_.window->findChild<QAction*>(QString::number(menuId));
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

void IdentityDialogTest::menuOpensEachDialogModally() {
    QCOMPARE(TitleOfDialogOpenedBy(identity::kMenuAbout), QString("About This Control"));
    // Outside factory mode the identity editors are greyed, and a stray command opens nothing.
    QCOMPARE(TitleOfDialogOpenedBy(identity::kMenuEditCameraId), QString("<no enabled action>"));
    tool_.window->Logic().OnMenuCommand(identity::kMenuEditCameraId);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    tool_.window->Logic().ToggleControlMode();
    QVERIFY(tool_.window->Logic().FactoryMode());
    QCOMPARE(TitleOfDialogOpenedBy(identity::kMenuEditCameraId), QString("Camera Id"));
    QCOMPARE(TitleOfDialogOpenedBy(identity::kMenuEditUserId), QString("User Id"));
    QVERIFY(platform_.boxes.empty());
}

void IdentityDialogTest::cleanupTestCase() {
    tool_.Close();
    camera_.Stop();
    tool_.core.reset();
}
