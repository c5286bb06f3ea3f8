#pragma once

#include <QString>

class LaunchHost;

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
    QString strPrompt;
    QString strExeSelected;
    QString strRomSelected;

private:
    QString commandLine() const;

    LaunchHost &m_host;
};
