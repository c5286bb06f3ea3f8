#include "programstart.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

// Empty: the launcher's own environment.
QProcessEnvironment startedProgramsEnvironment;

// Qt on Windows reports every failed start as "Process failed to start"; say
// what is wrong with the file in words a user understands.
QString reasonFor(const QString &program, const QString &qtReason)
{
#ifdef Q_OS_WIN
    const QFileInfo info(program);
    if (!info.exists())
        return QStringLiteral("There is no such file.");
    if (info.isDir())
        return QStringLiteral("It is a folder, not a program.");
    QFile file(program);
    if (file.open(QIODevice::ReadOnly) && file.read(2) != "MZ")
        return QStringLiteral("It is not a Windows program.");
#else
    Q_UNUSED(program);
#endif
    return qtReason;
}

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
        *reason = reasonFor(program, process.errorString());
    return false;
}

void setStartedProgramsEnvironment(const QProcessEnvironment &environment)
{
    startedProgramsEnvironment = environment;
}
