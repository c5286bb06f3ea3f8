#pragma once

#include "commondialog.h"
#include "form.h"
#include "handles.h"
#include "launchhost.h"
#include "launchlogic.h"
#include "windowclass.h"

#include <windows.h>

// The launcher window: standard controls on a plain window, built from the
// form's description and laid out from its twips for the window's DPI, each
// control and menu item wired to the launch logic's event procedure. The
// logic reaches the window and the platform through the LaunchHost interface.
// The controls' ids are the form's (Form::cmdRun, ...).
class LauncherWindow : private LaunchHost
{
public:
    // What Quit, File > Exit and Exit On Start call: the program's immediate
    // end, or a test's stand-in.
    using EndProgram = void (*)();

    // Creates and loads the window, hidden.
    explicit LauncherWindow(EndProgram endProgram);
    ~LauncherWindow() override;

    LauncherWindow(const LauncherWindow &) = delete;
    LauncherWindow &operator=(const LauncherWindow &) = delete;

    HWND handle() const { return m_window; }
    const LaunchLogic &logic() const { return m_logic; }

private:
    template<typename Object>
    friend LRESULT CALLBACK routeMessages(HWND, UINT, WPARAM, LPARAM);
    void attach(HWND window) { m_window = window; }
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void windowGone() { m_window = nullptr; }
    bool createControls();
    Form::Layout fitted(HFONT font, UINT dpi) const;
    void layOut(UINT dpi);
    SIZE windowSize(UINT dpi) const;
    HWND control(Form::Id id) const { return GetDlgItem(m_window, id); }
    CommonDialog &dialog(Selector selector);
    const CommonDialog &dialog(Selector selector) const;

    // LaunchHost
    bool showOpenDialog(Selector selector) override;
    Text selectorFileName(Selector selector) const override;
    void setSelectorText(Selector selector, const Text &text) override;
    void setPreviewText(const Text &text) override;
    int exitOnStartValue() const override;
    void showMessage(const Text &text) override;
    bool startProgram(const Text &program, const Text &argument, Text *reason) override;
    void showAbout() override;
    void unloadAbout() override;
    void endImmediately() override;

    const EndProgram m_endProgram;
    LaunchLogic m_logic;
    CommonDialog cmnExecute;
    CommonDialog cmnROM;
    HWND m_window = nullptr;
    // The control that had the focus when the window was last active.
    HWND m_focus = nullptr;
    FontHandle m_font;
    IconHandle m_smallIcon;
    IconHandle m_bigIcon;
};
