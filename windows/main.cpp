#include "launcherwindow.h"
#include "lifetime.h"

#include <windows.h>

#include <commctrl.h>

// Corvane takes no arguments: the command line is never read.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show)
{
    // The system's visual style for the standard controls (common controls 6,
    // asked for by the manifest).
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);

    LauncherWindow frmMain(endProgramNow);
    ShowWindow(frmMain.handle(), show);
    UpdateWindow(frmMain.handle());
    return runMessageLoop();
}
