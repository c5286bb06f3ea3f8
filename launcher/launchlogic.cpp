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

void LaunchLogic::markExecutableSelected()
{
    strExeSelected = flagTrue;
}

void LaunchLogic::markRomSelected()
{
    strRomSelected = flagTrue;
}

Text LaunchLogic::commandLine() const
{
    return m_host.selectorFileName(LaunchHost::Selector::Executable) + asciiText(" ")
            + m_host.selectorFileName(LaunchHost::Selector::Rom);
}
