#include "shownlauncher.h"

#include <commctrl.h>

#include "doctesttext.h"

ShownLauncher::ShownLauncher()
{
    // The system's visual style, as the program's own start asks for it.
    static const bool styled = [] {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&classes);
    }();
    (void)styled;
    endsRequested() = 0;
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
    REQUIRE(WinDriver::waitFor([this] { return GetFocus() == control(Form::cmdRun); }));
}

int &ShownLauncher::endsRequested()
{
    static int ends = 0;
    return ends;
}

HWND ShownLauncher::openAbout() const
{
    SendMessageW(handle(), WM_COMMAND, Form::mnuHelpAbout, 0);
    HWND about = nullptr;
    const bool shown
            = WinDriver::waitFor([&] { return (about = aboutWindow()) && IsWindowVisible(about); });
    return shown ? about : nullptr;
}

HWND aboutWindow()
{
    const HWND found = FindWindowW(L"CorvaneAbout", nullptr);
    return found && IsWindow(found) ? found : nullptr;
}
