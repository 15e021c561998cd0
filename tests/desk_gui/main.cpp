#include "DesktopTest.h"
#include "QtTestMain.h"

int main(int argc, char** argv) {
    return test::RunQtTests<DesktopTest>(argc, argv);
}
