#include "launcherwindow_win.h"

#include "aboutwindow_win.h"
#include "dialogkeys_win.h"
#include "dpi_win.h"
#include "identity.h"
#include "programstart.h"
#include "resourceids.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr wchar_t className[] = L"CorvaneLauncher";
// A fixed size with a minimise box: nothing in the window could use more room.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD windowExStyle = WS_EX_CONTROLPARENT;
// The client area below the menu bar, in twips.
constexpr int clientWidth = 6375;
constexpr int clientHeight = 3405;

enum class Kind { Frame, Field, Button, CheckBox };

struct ControlSpec
{
    int id;
    Kind kind;
    const wchar_t *caption;
    int frame; // the frame whose corner the position counts from, or 0
    int left, top, width, height; // twips
};

// Creation order is the Tab order: first the frames, each with its field,
// which take no focus; then the buttons and the check box by tab index.
constexpr ControlSpec controls[] = {
        {fraExecute, Kind::Frame, L"Ruxa Executable", 0, 120, 0, 6015, 735},
        {txtExecute, Kind::Field, L"<none selected>", fraExecute, 1560, 240, 4335, 375},
        {fraROM, Kind::Frame, L"Virtual Gameboy ROM", 0, 120, 840, 6015, 735},
        {txtROM, Kind::Field, L"<none selected>", fraROM, 1560, 240, 4335, 375},
        {fraCommand, Kind::Frame, L"Command Line Preview", 0, 120, 1680, 6015, 735},
        {txtCommand, Kind::Field, L"", fraCommand, 1560, 240, 4335, 375},
        {cmdRun, Kind::Button, L"Run Ruxa", 0, 120, 2520, 6135, 375},
        {cmdExecute, Kind::Button, L"Select", fraExecute, 120, 240, 1335, 375},
        {cmdROM, Kind::Button, L"Select", fraROM, 120, 240, 1335, 375},
        {cmdQuit, Kind::Button, L"&Quit", 0, 2400, 3000, 1575, 375},
        {cmdPreview, Kind::Button, L"Preview", fraCommand, 120, 240, 1335, 375},
        {chkExit, Kind::CheckBox, L"Exit On Start", 0, 600, 3000, 1215, 255},
};

const ControlSpec &specOf(int id)
{
    return *std::find_if(std::begin(controls), std::end(controls),
                         [id](const ControlSpec &spec) { return spec.id == id; });
}

RECT rectOf(const ControlSpec &spec, UINT dpi)
{
    const int left = spec.left + (spec.frame ? specOf(spec.frame).left : 0);
    const int top = spec.top + (spec.frame ? specOf(spec.frame).top : 0);
    return Dpi::fromTwips(left, top, spec.width, spec.height, dpi);
}

void create(HWND parent, HINSTANCE instance, const ControlSpec &spec)
{
    const wchar_t *kind = WC_BUTTONW;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (spec.kind) {
    case Kind::Frame:
        style |= BS_GROUPBOX;
        break;
    case Kind::Field:
        // Only the program writes the fields: greyed, never focused, never edited.
        kind = WC_EDITW;
        style |= WS_DISABLED | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        // Screen readers name an edit field after the static text before it:
        // this one is never shown, and carries the frame's caption.
        CreateWindowExW(0, WC_STATICW, specOf(spec.frame).caption, WS_CHILD, 0, 0, 0, 0, parent,
                        nullptr, instance, nullptr);
        break;
    case Kind::Button:
        // Each its own group, so that the arrow keys do not wander off it.
        style |= WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;
        break;
    case Kind::CheckBox:
        style |= WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX;
        break;
    }
    CreateWindowExW(exStyle, kind, spec.caption, style, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(INT_PTR(spec.id)), instance, nullptr);
}

HMENU createMenuBar()
{
    const HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, mnuFileExit, L"E&xit");
    const HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, mnuHelpAbout, L"About");
    const HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return bar;
}

const CommonDialog::Settings executableDialog
        = {L"Select Ruxa Executable", L"exe", L"*.exe", L"VirtualBoy Executable", L"*.exe"};
const CommonDialog::Settings romDialog
        = {L"Select Ruxa Rom Image", L"vb", L"*.vb", L"VirtualBoy ROM Images", L"*.vb"};

} // namespace

LauncherWindow::LauncherWindow(EndProgram endProgram)
    : m_endProgram(endProgram)
    , m_logic(*this)
    , cmnExecute(executableDialog)
    , cmnROM(romDialog)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerWindowClass<LauncherWindow>(className);
    // Made at no size: WM_CREATE lays it out for the DPI of its monitor.
    CreateWindowExW(windowExStyle, className, Identity::Wide::launcherCaption, windowStyle,
                    CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, createMenuBar(), instance, this);
    Form_Load();
}

LauncherWindow::~LauncherWindow()
{
    if (m_window)
        DestroyWindow(m_window);
}

LRESULT LauncherWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        createControls();
        layOut(Dpi::ofWindow(m_window));
        return 0;
    case WM_COMMAND:
        // Clicks and menu choices; Enter and Escape where no button has the
        // focus come as IDOK and IDCANCEL, which nothing here answers.
        if (HIWORD(wParam) == BN_CLICKED)
            onCommand(LOWORD(wParam));
        return 0;
    case DM_GETDEFID:
        return focusedButtonAsDefault(m_window);
    case WM_ACTIVATE:
        // Back from another window or a dialog, the focus is where it was.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(m_window, focus))
                m_focus = focus;
        } else if (m_focus) {
            SetFocus(m_focus);
        }
        return 0;
    case WM_DPICHANGED:
        layOut(LOWORD(wParam));
        Dpi::moveToSuggestedPlace(m_window, lParam);
        return 0;
    case WM_CLOSE:
        Form_Unload();
        DestroyWindow(m_window);
        PostQuitMessage(0);
        return 0;
    case WM_ENDSESSION:
        if (wParam)
            Form_Unload();
        return 0;
    default:
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void LauncherWindow::onCommand(int id)
{
    switch (id) {
    case cmdExecute:
        cmdExecute_Click();
        break;
    case cmdROM:
        cmdROM_Click();
        break;
    case cmdPreview:
        cmdPreview_Click();
        break;
    case cmdRun:
        cmdRun_Click();
        break;
    case cmdQuit:
        cmdQuit_Click();
        break;
    case mnuFileExit:
        mnuFileExit_Click();
        break;
    case mnuHelpAbout:
        mnuHelpAbout_Click();
        break;
    }
}

void LauncherWindow::createControls()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlSpec &spec : controls)
        create(m_window, instance, spec);
    m_focus = control(cmdRun);
}

void LauncherWindow::layOut(UINT dpi)
{
    FontHandle font = Dpi::messageFont(dpi);
    for (HWND child = GetWindow(m_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    m_font = std::move(font);

    for (const ControlSpec &spec : controls) {
        const RECT rect = rectOf(spec, dpi);
        MoveWindow(control(spec.id), rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, FALSE);
    }

    // The check box's caption must not be cut off where the font is wider
    // than the twips allow; it may take the room up to Quit, never more.
    const ControlSpec &check = specOf(chkExit);
    const RECT rect = rectOf(check, dpi);
    const HWND box = control(chkExit);
    const HDC dc = GetDC(box);
    const HGDIOBJ previous = SelectObject(dc, m_font.get());
    SIZE caption = {};
    GetTextExtentPoint32W(dc, check.caption, int(wcslen(check.caption)), &caption);
    SelectObject(dc, previous);
    ReleaseDC(box, dc);
    // The box, the gap after it and the focus rectangle around the caption.
    const int needed = MulDiv(13 + 6, int(dpi), int(Dpi::standard)) + caption.cx;
    const int room = rectOf(specOf(cmdQuit), dpi).left - rect.left;
    const int width = std::clamp(needed, int(rect.right - rect.left), room);
    SetWindowPos(box, nullptr, 0, 0, width, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const RECT window = Dpi::windowRectForClient(Dpi::fromTwips(clientWidth, dpi),
                                                 Dpi::fromTwips(clientHeight, dpi), windowStyle,
                                                 windowExStyle, true, dpi);
    SetWindowPos(m_window, nullptr, 0, 0, window.right, window.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Dpi::setIcons(m_window, GetModuleHandleW(nullptr), CORVANE_ICON, dpi, &m_smallIcon, &m_bigIcon);
    InvalidateRect(m_window, nullptr, TRUE);
}

void LauncherWindow::Form_Load()
{
    m_logic.Form_Load();
}

void LauncherWindow::Form_Unload()
{
    AboutWindow::unload();
}

void LauncherWindow::cmdExecute_Click()
{
    if (!cmnExecute.showOpen(m_window))
        return;
    SetWindowTextW(control(txtExecute), cmnExecute.fileName().c_str());
    m_logic.markExecutableSelected();
}

void LauncherWindow::cmdROM_Click()
{
    if (!cmnROM.showOpen(m_window))
        return;
    SetWindowTextW(control(txtROM), cmnROM.fileName().c_str());
    m_logic.markRomSelected();
}

void LauncherWindow::cmdPreview_Click()
{
    m_logic.cmdPreview_Click();
}

void LauncherWindow::cmdRun_Click()
{
    m_logic.cmdRun_Click();
}

void LauncherWindow::cmdQuit_Click()
{
    endImmediately();
}

void LauncherWindow::mnuFileExit_Click()
{
    endImmediately();
}

void LauncherWindow::mnuHelpAbout_Click()
{
    frmAbout(m_window)->show();
}

Text LauncherWindow::selectorFileName(Selector selector) const
{
    return selector == Selector::Executable ? cmnExecute.fileName() : cmnROM.fileName();
}

void LauncherWindow::setPreviewText(const Text &text)
{
    SetWindowTextW(control(txtCommand), text.c_str());
}

int LauncherWindow::exitOnStartValue() const
{
    // BST_UNCHECKED, BST_CHECKED and BST_INDETERMINATE are 0, 1 and 2.
    return int(SendMessageW(control(chkExit), BM_GETCHECK, 0, 0));
}

void LauncherWindow::showMessage(const Text &text)
{
    MessageBoxW(m_window, text.c_str(), Identity::Wide::name, MB_OK);
}

bool LauncherWindow::startProgram(const Text &program, const Text &argument, Text *reason)
{
    return startDetachedProgram(program, argument, reason);
}

void LauncherWindow::endImmediately()
{
    m_endProgram();
}
