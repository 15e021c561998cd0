// The Qt test of the desktop habits. The settings store and the Camera Link library search point into
// a folder of the test's own, so no setting or library of the machine takes part.

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "DesktopTest.h"

int main(int argc, char** argv) {
    QTemporaryDir folder;
    if (!folder.isValid()) return 1;
    qputenv("VR8200_CONFIG_DIR", folder.filePath("config").toUtf8());
    qputenv("VR8200_CLSER_DIR", folder.path().toUtf8());
    qputenv("VR8200_CLSERIAL_LIB", folder.filePath("none.so").toUtf8());
    qputenv("VR8200_CLALLSERIAL_LIB", folder.filePath("none.so").toUtf8());
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(icons);
    DesktopTest test(folder.path());
    return QTest::qExec(&test, argc, argv) == 0 ? 0 : 1;
}
