#include "launcherwindow.h"
#include "lifetime.h"

#include <QApplication>

int main(int, char *argv[])
{
    // Corvane takes no arguments, Qt's own (-style, -stylesheet, ...) included:
    // the toolkit sees only the program's name. QT_* variables still apply.
    int argc = 1;
    const auto app = startApplication(argc, argv);

    LauncherWindow frmMain(endProgramNow);
    frmMain.show();
    endProgramNow(app->exec());
}
