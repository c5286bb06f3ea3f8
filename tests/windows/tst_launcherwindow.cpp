// The Windows launcher window, real and shown, driven as a user would: its
// controls and geometry at the DPI of the Wine prefix it runs in (96, or what
// CORVANE_EXPECTED_DPI says), keys, menus, screen readers' names.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctesttext.h"

#include "dpi.h"
#include "handles.h"
#include "shownlauncher.h"
#include "windriver.h"

#include <commctrl.h>
#include <oleacc.h>

#include <map>
#include <optional>

using WinDriver::Key;

namespace {

using namespace Form;

int &ends = ShownLauncher::endsRequested();

// The launcher, with what these tests ask of it.
struct Launcher : ShownLauncher
{
    int focused() const { return GetDlgCtrlID(GetFocus()); }
    UINT dpi() const { return GetDpiForWindow(handle()); }

    // Where a control sits in the client area.
    RECT placeOf(Id id) const
    {
        RECT rect;
        GetWindowRect(control(id), &rect);
        MapWindowPoints(nullptr, handle(), reinterpret_cast<POINT *>(&rect), 2);
        return rect;
    }
};

struct Place
{
    int left, top, width, height;
};

// The twips of each control, in pixels at 96, 144 and 192 dpi; a control in
// a frame counts from the frame's corner.
const std::map<UINT, std::map<Id, Place>> places = {
        {96,
         {{fraExecute, {8, 0, 401, 49}},
          {cmdExecute, {16, 16, 89, 25}},
          {txtExecute, {112, 16, 289, 25}},
          {fraROM, {8, 56, 401, 49}},
          {cmdROM, {16, 72, 89, 25}},
          {txtROM, {112, 72, 289, 25}},
          {fraCommand, {8, 112, 401, 49}},
          {cmdPreview, {16, 128, 89, 25}},
          {txtCommand, {112, 128, 289, 25}},
          {cmdRun, {8, 168, 409, 25}},
          {cmdQuit, {160, 200, 105, 25}}}},
        {144,
         {{fraExecute, {12, 0, 602, 74}},
          {cmdExecute, {24, 24, 134, 38}},
          {txtExecute, {168, 24, 434, 38}},
          {fraROM, {12, 84, 602, 74}},
          {cmdROM, {24, 108, 134, 38}},
          {txtROM, {168, 108, 434, 38}},
          {fraCommand, {12, 168, 602, 74}},
          {cmdPreview, {24, 192, 134, 38}},
          {txtCommand, {168, 192, 434, 38}},
          {cmdRun, {12, 252, 614, 38}},
          {cmdQuit, {240, 300, 158, 38}}}},
        {192,
         {{fraExecute, {16, 0, 802, 98}},
          {cmdExecute, {32, 32, 178, 50}},
          {txtExecute, {224, 32, 578, 50}},
          {fraROM, {16, 112, 802, 98}},
          {cmdROM, {32, 144, 178, 50}},
          {txtROM, {224, 144, 578, 50}},
          {fraCommand, {16, 224, 802, 98}},
          {cmdPreview, {32, 256, 178, 50}},
          {txtCommand, {224, 256, 578, 50}},
          {cmdRun, {16, 336, 818, 50}},
          {cmdQuit, {320, 400, 210, 50}}}},
};
// The check box: its place, height and least width; it may widen up to Quit
// for its caption.
const std::map<UINT, Place> checkBoxes
        = {{96, {40, 200, 81, 17}}, {144, {60, 300, 122, 26}}, {192, {80, 400, 162, 34}}};
const std::map<UINT, SIZE> clientSizes
        = {{96, {425, 227}}, {120, {531, 284}}, {144, {638, 341}}, {192, {850, 454}}};

SIZE textExtent(HWND control, const std::wstring &text)
{
    const WindowDC dc(control);
    const SelectedObject selected(
            dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32W(dc.get(), text.c_str(), int(text.size()), &size);
    return size;
}

std::wstring menuText(HMENU menu, int position)
{
    wchar_t text[64] = {};
    GetMenuStringW(menu, UINT(position), text, 64, MF_BYPOSITION);
    return text;
}

} // namespace

TEST_CASE("At start: captions, greyed fields, nothing chosen, the focus on Run")
{
    Launcher launcher;
    CHECK(WinDriver::textOf(launcher.handle()) == L"Corvane v1.0");
    const std::pair<Id, const wchar_t *> captions[] = {{fraExecute, L"Ruxa Executable"},
                                                       {cmdExecute, L"Select"},
                                                       {txtExecute, L"<none selected>"},
                                                       {fraROM, L"Virtual Gameboy ROM"},
                                                       {cmdROM, L"Select"},
                                                       {txtROM, L"<none selected>"},
                                                       {fraCommand, L"Command Line Preview"},
                                                       {cmdPreview, L"Preview"},
                                                       {txtCommand, L""},
                                                       {cmdRun, L"Run Ruxa"},
                                                       {chkExit, L"Exit On Start"},
                                                       {cmdQuit, L"&Quit"}};
    for (const auto &[id, caption] : captions) {
        CAPTURE(id);
        CHECK(launcher.text(id) == caption);
    }
    for (Id field : {txtExecute, txtROM, txtCommand})
        CHECK_FALSE(IsWindowEnabled(launcher.control(field)));
    CHECK(SendMessageW(launcher.control(chkExit), BM_GETCHECK, 0, 0) == BST_UNCHECKED);
    CHECK(launcher.window.logic().exeSelected() == L"False");
    CHECK(launcher.window.logic().romSelected() == L"False");

    const HMENU bar = GetMenu(launcher.handle());
    REQUIRE(GetMenuItemCount(bar) == 2);
    CHECK(menuText(bar, 0) == L"&File");
    CHECK(menuText(bar, 1) == L"&Help");
    CHECK(GetMenuItemCount(GetSubMenu(bar, 0)) == 1);
    CHECK(GetMenuItemID(GetSubMenu(bar, 0), 0) == mnuFileExit);
    CHECK(menuText(GetSubMenu(bar, 0), 0) == L"E&xit");
    CHECK(GetMenuItemCount(GetSubMenu(bar, 1)) == 1);
    CHECK(GetMenuItemID(GetSubMenu(bar, 1), 0) == mnuHelpAbout);
    CHECK(menuText(GetSubMenu(bar, 1), 0) == L"About");
}

TEST_CASE("Geometry, font and icon follow the window's DPI")
{
    Launcher launcher;
    const UINT dpi = launcher.dpi();
    REQUIRE(dpi == WinDriver::expectedDpi());
    REQUIRE(places.count(dpi) == 1);

    RECT client;
    GetClientRect(launcher.handle(), &client);
    CHECK(client.right == clientSizes.at(dpi).cx);
    CHECK(client.bottom == clientSizes.at(dpi).cy);
    // That is below the menu bar, which takes one line.
    MENUBARINFO bar = {};
    bar.cbSize = sizeof bar;
    REQUIRE(GetMenuBarInfo(launcher.handle(), OBJID_MENU, 0, &bar));
    CHECK(bar.rcBar.bottom - bar.rcBar.top < 2 * GetSystemMetricsForDpi(SM_CYMENU, dpi));

    // A fixed size, with a minimise box and no maximise box.
    const LONG style = GetWindowLongW(launcher.handle(), GWL_STYLE);
    CHECK((style & WS_MINIMIZEBOX) != 0);
    CHECK((style & (WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0);

    for (const auto &[id, place] : places.at(dpi)) {
        CAPTURE(id);
        const RECT rect = launcher.placeOf(id);
        CHECK(rect.left == place.left);
        CHECK(rect.top == place.top);
        CHECK(rect.right - rect.left == place.width);
        CHECK(rect.bottom - rect.top == place.height);
    }
    // The check box keeps its place and may widen up to Quit for its caption.
    const RECT check = launcher.placeOf(chkExit);
    const Place box = checkBoxes.at(dpi);
    CHECK(check.left == box.left);
    CHECK(check.top == box.top);
    CHECK(check.bottom - check.top == box.height);
    CHECK(check.right - check.left >= box.width);
    CHECK(check.right <= launcher.placeOf(cmdQuit).left);

    // The system's message font, made for this DPI, on every control.
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    REQUIRE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi));
    for (const auto &[id, place] : places.at(dpi)) {
        CAPTURE(id);
        LOGFONTW font = {};
        GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(launcher.control(id), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        CHECK(font.lfHeight == metrics.lfMessageFont.lfHeight);
        CHECK(std::wstring(font.lfFaceName) == metrics.lfMessageFont.lfFaceName);
    }

    // No caption is cut off: each fits its button, and the check box's fits
    // beside its box.
    for (Id id : {cmdExecute, cmdROM, cmdPreview, cmdRun, cmdQuit}) {
        CAPTURE(id);
        const RECT rect = launcher.placeOf(id);
        CHECK(textExtent(launcher.control(id), launcher.text(id)).cx < rect.right - rect.left - 4);
    }
    CHECK(MulDiv(13 + 4, int(dpi), 96) + textExtent(launcher.control(chkExit), L"Exit On Start").cx
          <= check.right - check.left);

    // The title bar's icon at the size this DPI asks for.
    for (const auto &[which, metric] :
         {std::pair {ICON_SMALL, SM_CXSMICON}, {ICON_BIG, SM_CXICON}}) {
        CAPTURE(which);
        const auto icon = reinterpret_cast<HICON>(
                SendMessageW(launcher.handle(), WM_GETICON, WPARAM(which), 0));
        ICONINFO info = {};
        REQUIRE(GetIconInfo(icon, &info));
        BITMAP bitmap = {};
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        CHECK(bitmap.bmWidth == GetSystemMetricsForDpi(metric, dpi));
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

TEST_CASE("At the fonts users pick, up to 13 points, every caption shows whole")
{
    for (const int points : {0, 11, 13}) {
        CAPTURE(points);
        std::optional<WinDriver::MessageFontSize> larger;
        if (points)
            larger.emplace(points);
        Launcher launcher;
        const UINT dpi = launcher.dpi();
        const std::string fault = WinDriver::captionsFault(launcher.handle());
        CAPTURE(fault);
        CHECK(fault.empty());
        // The places grow no further than the captions ask: Run keeps its
        // width, Quit and the fields theirs.
        for (Id id : {cmdRun, cmdQuit, txtExecute, txtROM, txtCommand}) {
            CAPTURE(id);
            const RECT rect = launcher.placeOf(id);
            CHECK(rect.right - rect.left == places.at(dpi).at(id).width);
        }
    }
}

TEST_CASE("A new DPI lays the window out again at the suggested place")
{
    Launcher launcher;
    const UINT other = launcher.dpi() == 96 ? 144 : 96;
    RECT suggested = {50, 60, 700, 500};
    SendMessageW(launcher.handle(), WM_DPICHANGED, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));

    RECT window;
    GetWindowRect(launcher.handle(), &window);
    CHECK(EqualRect(&window, &suggested));
    const Place run = places.at(other).at(cmdRun);
    const RECT rect = launcher.placeOf(cmdRun);
    CHECK(rect.left == run.left);
    CHECK(rect.top == run.top);
    CHECK(rect.right - rect.left == run.width);
    CHECK(rect.bottom - rect.top == run.height);
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(launcher.control(cmdRun), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, other);
    CHECK(font.lfHeight == metrics.lfMessageFont.lfHeight);
}

TEST_CASE("Tab and Shift+Tab go through the buttons and the check box by tab index")
{
    Launcher launcher;
    const Id expected[] = {cmdExecute, cmdROM, cmdQuit, cmdPreview, chkExit, cmdRun, cmdExecute};
    for (Id id : expected) {
        WinDriver::press({{VK_TAB}});
        CHECK(launcher.focused() == id);
    }
    WinDriver::press({{VK_TAB, VK_SHIFT}});
    CHECK(launcher.focused() == cmdRun);
}

TEST_CASE("Space and Enter press the focused button; elsewhere Enter and Escape do nothing")
{
    Launcher launcher;
    const WinDriver::MessageBoxAnswerer boxes;
    SetFocus(launcher.control(cmdPreview));
    WinDriver::press({{VK_RETURN}});
    CHECK(launcher.text(txtCommand) == L"*.exe *.vb");

    SetWindowTextW(launcher.control(txtCommand), L"");
    WinDriver::press({{VK_SPACE}});
    CHECK(launcher.text(txtCommand) == L"*.exe *.vb");

    SetWindowTextW(launcher.control(txtCommand), L"");
    SetFocus(launcher.control(chkExit));
    WinDriver::press({{VK_RETURN}, {VK_ESCAPE}});
    CHECK(SendMessageW(launcher.control(chkExit), BM_GETCHECK, 0, 0) == BST_UNCHECKED);
    WinDriver::press({{VK_SPACE}});
    CHECK(SendMessageW(launcher.control(chkExit), BM_GETCHECK, 0, 0) == BST_CHECKED);
    // Two states only: pressed again, it is cleared, never greyed.
    WinDriver::press({{VK_SPACE}});
    CHECK(SendMessageW(launcher.control(chkExit), BM_GETCHECK, 0, 0) == BST_UNCHECKED);
    CHECK(launcher.text(txtCommand) == L"");
    CHECK(boxes.seen().empty());
    CHECK(IsWindowVisible(launcher.handle()));
    CHECK(ends == 0);
}

TEST_CASE("Enter held down presses the focused button once")
{
    // Held on Run with both files chosen, it would start an emulator for
    // each repeat; Quit counts its presses here.
    Launcher launcher;
    const HWND quit = launcher.control(cmdQuit);
    SetFocus(quit);
    PostMessageW(quit, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(quit, WM_KEYDOWN, VK_RETURN, 1 | (1 << 30));
    PostMessageW(quit, WM_KEYDOWN, VK_RETURN, 1 | (1 << 30));
    PostMessageW(quit, WM_KEYUP, VK_RETURN, 1 | (1 << 30) | (1u << 31));
    WinDriver::settle();
    CHECK(ends == 1);
}

TEST_CASE("Run with nothing chosen reminds the user under the program's name")
{
    Launcher launcher;
    const WinDriver::MessageBoxAnswerer boxes;
    SetFocus(launcher.control(cmdRun));
    WinDriver::press({{VK_RETURN}});
    REQUIRE(boxes.seen().size() == 1);
    CHECK(boxes.seen()[0].title == L"Corvane");
    CHECK(boxes.seen()[0].text == L"Please make sure to select the Executable and a ROM image.");
    CHECK(ends == 0);
}

TEST_CASE("Alt+Q presses Quit, Alt+F and X choose Exit, Alt+H opens Help")
{
    Launcher launcher;
    WinDriver::press({{'Q', VK_MENU}});
    CHECK(ends == 1);
    // The end is immediate: the window is not closed on the way.
    CHECK(IsWindow(launcher.handle()));
    WinDriver::press({{'F', VK_MENU}, {'X'}});
    CHECK(ends == 2);

    WinDriver::press({{'H', VK_MENU}, {VK_RETURN}});
    HWND about = nullptr;
    CHECK(WinDriver::waitFor([&] {
        about = FindWindowW(nullptr, L"About Corvane");
        return about && IsWindowVisible(about);
    }));
    DestroyWindow(about);
}

TEST_CASE("Screen readers hear every control by name")
{
    Launcher launcher;
    const std::pair<Id, const wchar_t *> names[]
            = {{cmdExecute, L"Select"},
               {cmdROM, L"Select"},
               {cmdPreview, L"Preview"},
               {cmdRun, L"Run Ruxa"},
               {cmdQuit, L"Quit"},
               {chkExit, L"Exit On Start"},
               {fraExecute, L"Ruxa Executable"},
               {fraROM, L"Virtual Gameboy ROM"},
               {fraCommand, L"Command Line Preview"},
               // The fields, which have no caption, by their frames.
               {txtExecute, L"Ruxa Executable"},
               {txtROM, L"Virtual Gameboy ROM"},
               {txtCommand, L"Command Line Preview"}};
    for (const auto &[id, name] : names) {
        CAPTURE(id);
        CHECK(WinDriver::accessibleOf(launcher.control(id)).name == name);
    }
    for (Id field : {txtExecute, txtROM, txtCommand})
        CHECK(WinDriver::accessibleOf(launcher.control(field)).role == ROLE_SYSTEM_TEXT);
}

TEST_CASE("A new DPI: the launcher gives its size for it, then takes the suggested rectangle")
{
    Launcher launcher;
    const DWORD style = DWORD(GetWindowLongW(launcher.handle(), GWL_STYLE));
    const DWORD exStyle = DWORD(GetWindowLongW(launcher.handle(), GWL_EXSTYLE));
    for (UINT dpi : {120u, 144u, 192u}) {
        CAPTURE(dpi);
        SIZE answered = {};
        REQUIRE(SendMessageW(launcher.handle(), WM_GETDPISCALEDSIZE, dpi,
                             reinterpret_cast<LPARAM>(&answered)));
        RECT expected = {0, 0, clientSizes.at(dpi).cx, clientSizes.at(dpi).cy};
        AdjustWindowRectExForDpi(&expected, style, TRUE, exStyle, dpi);
        CHECK(answered.cx == expected.right - expected.left);
        CHECK(answered.cy == expected.bottom - expected.top);

        RECT suggested = {23, 41, 23 + answered.cx, 41 + answered.cy};
        SendMessageW(launcher.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT window;
        GetWindowRect(launcher.handle(), &window);
        CHECK(EqualRect(&window, &suggested));
    }
}

TEST_CASE("Where the system does not say its message font, the dialogs' own stands in at the DPI")
{
    for (UINT dpi : {96u, 144u}) {
        CAPTURE(dpi);
        const LOGFONTW wanted = Dpi::fallbackMessageFont(dpi);
        const FontHandle font(CreateFontIndirectW(&wanted));
        const WindowDC screen(nullptr);
        const SelectedObject selected(screen.get(), font.get());
        TEXTMETRICW metrics = {};
        GetTextMetricsW(screen.get(), &metrics);
        // Nine points: 12 pixels of character height at 96 dpi, 18 at 144.
        CHECK(metrics.tmHeight - metrics.tmInternalLeading == int(dpi) / 8);
    }
}
