#pragma once

#include "launcherwindow.h"

#include <QTest>

#include <memory>

// The launcher window as a test opens it: made, shown and exposed, or null.
// Quit, File > Exit and Exit On Start count in endsRequested() instead of
// ending the test.
namespace ShownLauncher {

inline int &endsRequested()
{
    static int ends = 0;
    return ends;
}

inline std::unique_ptr<LauncherWindow> open()
{
    endsRequested() = 0;
    auto window = std::make_unique<LauncherWindow>([] { ++endsRequested(); });
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}

} // namespace ShownLauncher
