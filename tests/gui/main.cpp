// The Qt tests of the desktop tool. The settings store and the Camera Link library search point into
// a folder of the test's own, so no setting or library of the machine takes part.

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "IdentityDialogTest.h"
#include "LutEditorTest.h"
#include "MainWindowTest.h"
#include "WidgetTest.h"

int main(int argc, char** argv) {
    QTemporaryDir folder;
    if (!folder.isValid()) return 1;
    qputenv("VR8200_CONFIG_DIR", folder.filePath("config").toUtf8());
    qputenv("VR8200_CLSER_DIR", folder.path().toUtf8());
    qputenv("VR8200_CLSERIAL_LIB", folder.filePath("none.so").toUtf8());
    qputenv("VR8200_CLALLSERIAL_LIB", folder.filePath("none.so").toUtf8());
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(icons);
    int failures = 0;
    {
        WidgetTest widgets(folder.path());
        failures += QTest::qExec(&widgets, argc, argv);
    }
    {
        LutEditorTest lut(folder.path());
        failures += QTest::qExec(&lut, argc, argv);
    }
    {
        MainWindowTest window(folder.path());
        failures += QTest::qExec(&window, argc, argv);
    }
    {
        IdentityDialogTest identity(folder.path());
        failures += QTest::qExec(&identity, argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
