#pragma once

#include "launchhost.h"

// The launcher's state and its Preview and Run operations.
class LaunchLogic
{
public:
    explicit LaunchLogic(LaunchHost &host);

    void Form_Load();
    void cmdPreview_Click();
    void cmdRun_Click();

    // Called by the selectors when the user has chosen a file.
    void markExecutableSelected();
    void markRomSelected();

    // Selection flags are the texts "False" and "True"; only "False" means unset.
    Text strPrompt;
    Text strExeSelected;
    Text strRomSelected;

private:
    Text commandLine() const;

    LaunchHost &m_host;
};
