// The desktop tool's Qt test program: the widgets, the LUT editors, the main window, the identity dialogs.

#include "GuiTests.h"
#include "QtTestMain.h"

int main(int argc, char** argv) {
    return test::RunQtTests<WidgetTest, LutEditorTest, MainWindowTest, IdentityDialogTest>(argc, argv);
}
