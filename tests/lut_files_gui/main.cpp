#include "QtTestMain.h"
#include "TableFilesGuiTest.h"

int main(int argc, char** argv) {
    return test::RunQtTests<TableFilesGuiTest>(argc, argv);
}
