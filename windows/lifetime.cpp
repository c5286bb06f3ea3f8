#include "lifetime.h"

#include "dialogkeys.h"

#include <windows.h>

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

void endProgramNow()
{
    ExitProcess(0);
}
