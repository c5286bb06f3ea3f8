#include "launchlogic.h"

#include "launchhost.h"

namespace {
const QString flagFalse = QStringLiteral("False");
const QString flagTrue = QStringLiteral("True");
constexpr int exitOnStartChecked = 1;
} // namespace

LaunchLogic::LaunchLogic(LaunchHost &host)
    : m_host(host)
{ }

void LaunchLogic::Form_Load()
{
    strPrompt = QStringLiteral("Please make sure to select the Executable and a ROM image.");
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
    const QString program = m_host.selectorFileName(LaunchHost::Selector::Executable);
    const QString rom = m_host.selectorFileName(LaunchHost::Selector::Rom);
    QString reason;
    if (!m_host.startProgram(program, {rom}, &reason)) {
        m_host.showMessage(QStringLiteral("Could not start \"%1\":\n%2").arg(program, reason));
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

QString LaunchLogic::commandLine() const
{
    return m_host.selectorFileName(LaunchHost::Selector::Executable) + QLatin1Char(' ')
            + m_host.selectorFileName(LaunchHost::Selector::Rom);
}
