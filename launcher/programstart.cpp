#include "programstart.h"

#include <QProcess>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

bool startDetachedProgram(const QString &program, const QStringList &arguments, QString *reason)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
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
