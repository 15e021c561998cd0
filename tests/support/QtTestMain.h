// The start of every Qt test program of the desktop tool: the settings store and the Camera Link
// library search point into a folder of the test's own, so no setting or library of the machine
// takes part; then each test class runs in turn on that folder.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <type_traits>

// The desktop tool's icons live in a static library: their resource is pulled in by name, outside
// any namespace.
inline void InitDesktopToolResources() {
    Q_INIT_RESOURCE(icons);
}

namespace test {

template <typename... Tests>
int RunQtTests(int argc, char** argv) {
    QTemporaryDir folder;
    if (!folder.isValid()) return 1;
    qputenv("VR8200_CONFIG_DIR", folder.filePath("config").toUtf8());
    qputenv("VR8200_CLSER_DIR", folder.path().toUtf8());
    qputenv("VR8200_CLSERIAL_LIB", folder.filePath("none.so").toUtf8());
    qputenv("VR8200_CLALLSERIAL_LIB", folder.filePath("none.so").toUtf8());
    QApplication app(argc, argv);
    InitDesktopToolResources();
    int failures = 0;
    const auto run = [&](auto* tag) {
        using Test = std::remove_pointer_t<decltype(tag)>;
        Test test(folder.path());
        failures += QTest::qExec(&test, argc, argv);
    };
    (run(static_cast<Tests*>(nullptr)), ...);
    return failures == 0 ? 0 : 1;
}

}  // namespace test
