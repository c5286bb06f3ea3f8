#include "lifetime.h"

#include "identity.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

void identifyApplication()
{
    QApplication::setApplicationName(QLatin1String(Identity::name));
    QApplication::setApplicationVersion(QLatin1String(Identity::version));
    QApplication::setOrganizationName(QLatin1String(Identity::company));
    // Lets Wayland and the task bar match windows to the desktop entry and its icon.
    QApplication::setDesktopFileName(QLatin1String(Identity::appId));
}

void endProgramNow(int status)
{
    // Skipping destructors is deliberate: Qt's file dialog saves its history to
    // the user's settings when destroyed, and Corvane keeps nothing between runs.
    std::fflush(nullptr);
    std::_Exit(status);
}
