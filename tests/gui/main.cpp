#include "IdentityDialogTest.h"
#include "LutEditorTest.h"
#include "MainWindowTest.h"
#include "QtTestMain.h"
#include "WidgetTest.h"

int main(int argc, char** argv) {
    return test::RunQtTests<WidgetTest, LutEditorTest, MainWindowTest, IdentityDialogTest>(argc, argv);
}
