#include "launchlogic.h"

namespace {
const Text flagFalse = asciiText("False");
const Text flagTrue = asciiText("True");
constexpr int exitOnStartChecked = 1;
} // namespace

LaunchLogic::LaunchLogic(LaunchHost &host)
    : m_host(host)
{ }

void LaunchLogic::Form_Load()
{
    strPrompt = asciiText("Please make sure to select the Executable and a ROM image.");
    strExeSelected = flagFalse;
    strRomSelected = flagFalse;
}

void LaunchLogic::Form_Unload()
{
    m_host.unloadAbout();
}

void LaunchLogic::cmdExecute_Click()
{
    select(LaunchHost::Selector::Executable, strExeSelected);
}

void LaunchLogic::cmdROM_Click()
{
    select(LaunchHost::Selector::Rom, strRomSelected);
}

void LaunchLogic::cmdPreview_Click()
{
    m_host.setPreviewText(commandLine());
}

void LaunchLogic::cmdRun_Click()
{
    if (strRomSelected == flagFalse || strExeSelected == flagFalse) {
        m_host.showMessage(strPrompt);
        return;
    }

    // The ROM path goes to the emulator as one argument, byte for byte: no
    // shell sees it, so spaces, quotes and $( ) in it stay what they are.
    const Text program = m_host.selectorFileName(LaunchHost::Selector::Executable);
    const Text rom = m_host.selectorFileName(LaunchHost::Selector::Rom);
    Text reason;
    if (!m_host.startProgram(program, rom, &reason)) {
        m_host.showMessage(asciiText("Could not start \"") + program + asciiText("\":\n") + reason);
        return;
    }

    if (m_host.exitOnStartValue() == exitOnStartChecked)
        m_host.endImmediately();
}

void LaunchLogic::cmdQuit_Click()
{
    m_host.endImmediately();
}

void LaunchLogic::mnuFileExit_Click()
{
    m_host.endImmediately();
}

void LaunchLogic::mnuHelpAbout_Click()
{
    m_host.showAbout();
}

// A cancelled dialog leaves the selector as it was: nothing was chosen.
void LaunchLogic::select(LaunchHost::Selector selector, Text &flag)
{
    if (!m_host.showOpenDialog(selector))
        return;
    m_host.setSelectorText(selector, m_host.selectorFileName(selector));
    flag = flagTrue;
}

Text LaunchLogic::commandLine() const
{
    return m_host.selectorFileName(LaunchHost::Selector::Executable) + asciiText(" ")
            + m_host.selectorFileName(LaunchHost::Selector::Rom);
}
