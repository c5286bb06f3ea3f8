#include "lifetime.h"

#include "dialogkeys.h"
#include "identity.h"
#include "launcherwindow.h"
#include "systemcalls.h"
#include "text.h"

#include <windows.h>

#include <commctrl.h>

namespace {

int runMessageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (handleDialogKeys(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

} // namespace

int runProgram(int show)
{
    SystemCalls::restrictDllSearch();
    // The system's visual style for the standard controls (common controls 6,
    // asked for by the manifest).
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);

    LauncherWindow frmMain(endProgramNow);
    if (!frmMain.handle()) {
        const std::wstring name = widen(Identity::name);
        MessageBoxW(nullptr, (name + L" could not open its window.").c_str(), name.c_str(),
                    MB_OK | MB_ICONERROR);
        return 1;
    }
    ShowWindow(frmMain.handle(), show);
    UpdateWindow(frmMain.handle());
    return runMessageLoop();
}

void endProgramNow()
{
    ExitProcess(0);
}
