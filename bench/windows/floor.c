/*
 * The Windows baseline for the start-up benchmark: a plain Win32 window of the
 * launcher's size with the same kinds of controls (three frames, buttons,
 * greyed fields, a check box) and a menu bar, in the system's visual style,
 * and nothing else.
 */
#include <windows.h>

#include <commctrl.h>

static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

static void add(HWND parent, const wchar_t *kind, const wchar_t *text, DWORD style, int x, int y,
                int width, int height)
{
    HWND control = CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                   height, parent, NULL, NULL, NULL);
    SendMessageW(control, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), TRUE);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)previous;
    (void)commandLine;
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    WNDCLASSW windowClass = {0};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Floor";
    RegisterClassW(&windowClass);

    HMENU bar = CreateMenu(), file = CreatePopupMenu(), help = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"E&xit");
    AppendMenuW(help, MF_STRING, 2, L"About");
    AppendMenuW(bar, MF_POPUP, (UINT_PTR)file, L"&File");
    AppendMenuW(bar, MF_POPUP, (UINT_PTR)help, L"&Help");

    RECT area = {0, 0, 425, 227};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&area, style, TRUE);
    HWND window = CreateWindowExW(0, L"Floor", L"Floor", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  area.right - area.left, area.bottom - area.top, NULL, bar,
                                  instance, NULL);
    const wchar_t *frames[] = {L"Executable", L"ROM", L"Command"};
    for (int i = 0; i < 3; ++i) {
        add(window, L"BUTTON", frames[i], BS_GROUPBOX, 8, 56 * i, 401, 49);
        add(window, L"BUTTON", L"Select", BS_PUSHBUTTON, 16, 56 * i + 16, 89, 25);
        add(window, L"EDIT", L"<none selected>", WS_BORDER | WS_DISABLED, 112, 56 * i + 16, 289,
            25);
    }
    add(window, L"BUTTON", L"Run", BS_PUSHBUTTON, 8, 168, 409, 25);
    add(window, L"BUTTON", L"Exit On Start", BS_AUTOCHECKBOX, 40, 200, 100, 17);
    add(window, L"BUTTON", L"&Quit", BS_PUSHBUTTON, 160, 200, 105, 25);
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
