#pragma once

#include "launcherwindow.h"
#include "windriver.h"

#include <string>

// The launcher window as a test opens it: made, shown, in the foreground and
// with the focus on Run. Quit, File > Exit and Exit On Start count in
// endsRequested() instead of ending the test.
class ShownLauncher
{
public:
    ShownLauncher();

    static int &endsRequested();

    LauncherWindow window {[] { ++endsRequested(); }};

    HWND handle() const { return window.handle(); }
    HWND control(Form::Id id) const { return GetDlgItem(window.handle(), id); }
    std::wstring text(Form::Id id) const { return WinDriver::textOf(control(id)); }
    // Chooses Help, About as the menu does; the About window once it shows,
    // or null where none does.
    HWND openAbout() const;
};

// The About window, shown or hidden, or null where there is none.
HWND aboutWindow();
