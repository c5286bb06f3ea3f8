#pragma once

#include "commondialog_win.h"
#include "handles_win.h"
#include "launchhost.h"
#include "launchlogic.h"
#include "windowclass_win.h"

#include <windows.h>

// The launcher's controls and menu items by name; their ids too.
enum LauncherControl : int {
    fraExecute = 100,
    cmdExecute,
    txtExecute,
    fraROM,
    cmdROM,
    txtROM,
    fraCommand,
    cmdPreview,
    txtCommand,
    cmdRun,
    chkExit,
    cmdQuit,
    mnuFileExit,
    mnuHelpAbout,
};

// The launcher window: standard controls on a plain window, laid out from
// twips for the window's DPI, and wired to LaunchLogic, which reaches them
// through the LaunchHost interface.
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
    void onCommand(int id);
    void createControls();
    void layOut(UINT dpi);
    HWND control(int id) const { return GetDlgItem(m_window, id); }

    void Form_Load();
    void Form_Unload();
    void cmdExecute_Click();
    void cmdROM_Click();
    void cmdPreview_Click();
    void cmdRun_Click();
    void cmdQuit_Click();
    void mnuFileExit_Click();
    void mnuHelpAbout_Click();

    // LaunchHost
    Text selectorFileName(Selector selector) const override;
    void setPreviewText(const Text &text) override;
    int exitOnStartValue() const override;
    void showMessage(const Text &text) override;
    bool startProgram(const Text &program, const Text &argument, Text *reason) override;
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
