#pragma once

#include "launchhost.h"

// The launcher's state and its event procedures; the windows wire their
// controls and menu items to these (form.h says which to which).
class LaunchLogic
{
public:
    explicit LaunchLogic(LaunchHost &host);

    void Form_Load();
    void Form_Unload();
    void cmdExecute_Click();
    void cmdROM_Click();
    void cmdPreview_Click();
    void cmdRun_Click();
    void cmdQuit_Click();
    void mnuFileExit_Click();
    void mnuHelpAbout_Click();

    const Text &prompt() const { return strPrompt; }
    // Selection flags are the texts "False" and "True"; only "False" means unset.
    const Text &exeSelected() const { return strExeSelected; }
    const Text &romSelected() const { return strRomSelected; }

private:
    Text commandLine() const;
    void select(LaunchHost::Selector selector, Text &flag);

    LaunchHost &m_host;
    Text strPrompt;
    Text strExeSelected;
    Text strRomSelected;
};
