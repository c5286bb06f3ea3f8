#include "dialogkeys.h"

bool handleDialogKeys(MSG &message)
{
    // Held down, Enter would press the focused button once per repeat: one
    // emulator started for each.
    constexpr LPARAM repeated = LPARAM(1) << 30;
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && (message.lParam & repeated))
        return true;
    const HWND window = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    return window && IsDialogMessageW(window, &message);
}

LRESULT focusedButtonAsDefault(HWND window)
{
    const HWND focus = GetFocus();
    if (!focus || GetParent(focus) != window)
        return 0;
    const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, 0, 0);
    if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        return 0;
    return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
}
