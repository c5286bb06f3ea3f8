#include "programstart.h"

#include <QProcess>
#include <QProcessEnvironment>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {
// Empty: the launcher's own environment.
QProcessEnvironment startedProgramsEnvironment;
} // namespace

bool startDetachedProgram(const QString &program, const QStringList &arguments, QString *reason)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!startedProgramsEnvironment.isEmpty())
        process.setProcessEnvironment(startedProgramsEnvironment);
#ifdef Q_OS_WIN
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *args) {
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = SW_SHOWNORMAL;
    });
#endif
    if (process.startDetached())
        return true;
    if (reason)
        *reason = process.errorString();
    return false;
}

void setStartedProgramsEnvironment(const QProcessEnvironment &environment)
{
    startedProgramsEnvironment = environment;
}
