// The desktop tool's Qt test program: the started tool with its habits and dialogs, and its widgets.

#include "GuiTests.h"
#include "QtTestMain.h"

int main(int argc, char** argv) {
    return test::RunQtTests<MainWindowTest>(argc, argv);
}
