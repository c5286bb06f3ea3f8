#include "launcherwindow.h"
#include "lifetime.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    identifyApplication();

    LauncherWindow frmMain;
    frmMain.show();
    endProgramNow(app.exec());
}
