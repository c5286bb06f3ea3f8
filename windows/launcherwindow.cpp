#include "launcherwindow.h"

#include "aboutwindow.h"
#include "captionroom.h"
#include "dialogkeys.h"
#include "dpi.h"
#include "identity.h"
#include "programstart.h"
#include "resourceids.h"
#include "text.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

constexpr wchar_t className[] = L"CorvaneLauncher";
// A fixed size with a minimise box: nothing in the window could use more room.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD windowExStyle = WS_EX_CONTROLPARENT;

bool takesFocus(const Form::Control &spec)
{
    return spec.kind == Form::Button || spec.kind == Form::CheckBox;
}

bool create(HWND parent, HINSTANCE instance, const Form::Control &spec)
{
    const wchar_t *kind = WC_BUTTONW;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (spec.kind) {
    case Form::Frame:
        style |= BS_GROUPBOX;
        break;
    case Form::Field:
        kind = WC_EDITW;
        style |= WS_DISABLED | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        // Screen readers name an edit field after the static text before it:
        // this one is never shown, and carries the frame's caption.
        if (!CreateWindowExW(0, WC_STATICW, widen(Form::control(spec.frame).caption).c_str(),
                             WS_CHILD, 0, 0, 0, 0, parent, nullptr, instance, nullptr))
            return false;
        break;
    case Form::Button:
        // Each its own group, so that the arrow keys do not wander off it.
        style |= WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;
        break;
    case Form::CheckBox:
        style |= WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX;
        break;
    }
    return CreateWindowExW(exStyle, kind, widen(spec.caption).c_str(), style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(INT_PTR(spec.id)), instance, nullptr);
}

HMENU createMenuBar()
{
    const HMENU bar = CreateMenu();
    HMENU menu = nullptr;
    for (const Form::MenuItem &item : Form::menuItems) {
        if (!item.menu) {
            menu = CreatePopupMenu();
            AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu),
                        widen(item.caption).c_str());
        } else {
            AppendMenuW(menu, MF_STRING, UINT_PTR(item.id), widen(item.caption).c_str());
        }
    }
    return bar;
}

} // namespace

LauncherWindow::LauncherWindow(EndProgram endProgram)
    : m_endProgram(endProgram)
    , m_logic(*this)
    , cmnExecute(Form::selector(Selector::Executable))
    , cmnROM(Form::selector(Selector::Rom))
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerWindowClass<LauncherWindow>(className);
    // Made at no size: WM_CREATE lays it out for the DPI of its monitor.
    CreateWindowExW(windowExStyle, className, widen(Form::launcher.caption).c_str(), windowStyle,
                    CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, createMenuBar(), instance, this);
    m_logic.Form_Load();
}

LauncherWindow::~LauncherWindow()
{
    if (m_window)
        DestroyWindow(m_window);
}

LRESULT LauncherWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        // Controls that cannot be made leave a window nobody could use.
        if (!createControls())
            return -1;
        const UINT dpi = Dpi::ofWindow(m_window);
        layOut(dpi);
        Dpi::resize(m_window, windowSize(dpi));
        return 0;
    }
    case WM_COMMAND:
        // Clicks and menu choices; Enter and Escape where no button has the
        // focus come as IDOK and IDCANCEL, which nothing here answers.
        if (HIWORD(wParam) == BN_CLICKED)
            if (const Form::Procedure click = Form::procedureOf(LOWORD(wParam)))
                (m_logic.*click)();
        return 0;
    case DM_GETDEFID:
        return focusedButtonAsDefault(m_window);
    case WM_ACTIVATE:
        // Back from another window or a dialog, the focus is where it was;
        // a window activated while minimised keeps it to itself.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(m_window, focus))
                m_focus = focus;
        } else if (m_focus && !HIWORD(wParam)) {
            SetFocus(m_focus);
        }
        return 0;
    case WM_GETDPISCALEDSIZE:
        *reinterpret_cast<SIZE *>(lParam) = windowSize(UINT(wParam));
        return TRUE;
    case WM_DPICHANGED:
        layOut(LOWORD(wParam));
        Dpi::takeSuggestedRect(m_window, lParam);
        return 0;
    case WM_CLOSE:
        m_logic.Form_Unload();
        DestroyWindow(m_window);
        PostQuitMessage(0);
        return 0;
    case WM_ENDSESSION:
        if (wParam)
            m_logic.Form_Unload();
        return 0;
    default:
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

// Creation order is the Tab order: first the frames and their fields, which
// take no focus, then the buttons and the check box by tab index.
bool LauncherWindow::createControls()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    std::vector<const Form::Control *> tabStops;
    bool made = true;
    for (const Form::Control &spec : Form::launcherControls) {
        if (takesFocus(spec))
            tabStops.push_back(&spec);
        else
            made = create(m_window, instance, spec) && made;
    }
    std::sort(tabStops.begin(), tabStops.end(), [](const Form::Control *a, const Form::Control *b) {
        return a->tabIndex < b->tabIndex;
    });
    for (const Form::Control *spec : tabStops)
        made = create(m_window, instance, *spec) && made;
    m_focus = control(tabStops.front()->id);
    return made;
}

Form::Layout LauncherWindow::fitted(HFONT font, UINT dpi) const
{
    return CaptionRoom::fit(Form::launcherControls, std::size(Form::launcherControls),
                            Form::launcher, font, dpi);
}

SIZE LauncherWindow::windowSize(UINT dpi) const
{
    const FontHandle font = Dpi::messageFont(dpi);
    return Dpi::windowSize(CaptionRoom::sized(Form::launcher, fitted(font.get(), dpi)),
                           windowStyle, windowExStyle, true, dpi);
}

void LauncherWindow::layOut(UINT dpi)
{
    FontHandle font = Dpi::messageFont(dpi);
    for (HWND child = GetWindow(m_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    m_font = std::move(font);

    // Each control where the form puts it, with the room its caption needs.
    const Form::Layout layout = fitted(m_font.get(), dpi);
    const std::size_t count = std::size(Form::launcherControls);
    for (std::size_t i = 0; i < count; ++i) {
        const RECT rect = CaptionRoom::placeOf(layout, Form::launcherControls, count, i, dpi);
        MoveWindow(control(Form::launcherControls[i].id), rect.left, rect.top,
                   rect.right - rect.left, rect.bottom - rect.top, FALSE);
    }

    Dpi::setIcons(m_window, GetModuleHandleW(nullptr), CORVANE_ICON, dpi, &m_smallIcon, &m_bigIcon);
    InvalidateRect(m_window, nullptr, TRUE);
}

CommonDialog &LauncherWindow::dialog(Selector selector)
{
    return selector == Selector::Executable ? cmnExecute : cmnROM;
}

const CommonDialog &LauncherWindow::dialog(Selector selector) const
{
    return selector == Selector::Executable ? cmnExecute : cmnROM;
}

bool LauncherWindow::showOpenDialog(Selector selector)
{
    CommonDialog &shown = dialog(selector);
    std::wstring reason;
    switch (shown.showOpen(m_window, &reason)) {
    case CommonDialog::Outcome::Chosen:
        return true;
    case CommonDialog::Outcome::Cancelled:
        return false;
    case CommonDialog::Outcome::Failed:
        break;
    }
    showMessage(L"Could not show \"" + shown.title() + L"\":\n" + reason);
    return false;
}

Text LauncherWindow::selectorFileName(Selector selector) const
{
    return dialog(selector).fileName();
}

void LauncherWindow::setSelectorText(Selector selector, const Text &text)
{
    SetWindowTextW(control(Form::selector(selector).field), text.c_str());
}

void LauncherWindow::setPreviewText(const Text &text)
{
    SetWindowTextW(control(Form::txtCommand), text.c_str());
}

int LauncherWindow::exitOnStartValue() const
{
    // BST_UNCHECKED, BST_CHECKED and BST_INDETERMINATE are 0, 1 and 2.
    return int(SendMessageW(control(Form::chkExit), BM_GETCHECK, 0, 0));
}

void LauncherWindow::showMessage(const Text &text)
{
    MessageBoxW(m_window, text.c_str(), widen(Identity::name).c_str(), MB_OK);
}

bool LauncherWindow::startProgram(const Text &program, const Text &argument, Text *reason)
{
    return startDetachedProgram(program, argument, reason);
}

void LauncherWindow::showAbout()
{
    // Where the About window cannot be made, the launcher carries on without.
    if (AboutWindow *about = frmAbout(m_window))
        about->show();
}

void LauncherWindow::unloadAbout()
{
    AboutWindow::unload();
}

void LauncherWindow::endImmediately()
{
    m_endProgram();
}
