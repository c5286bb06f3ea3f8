#include "programstart.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Empty: the launcher's own environment.
QProcessEnvironment startedProgramsEnvironment;

// Qt reports a failed start as "Process failed to start" on Windows and as
// "execv: Permission denied" elsewhere; say what is wrong with the file in
// words a user understands.
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
    const QByteArray path = QFile::encodeName(program);
    struct stat status;
    if (::stat(path.constData(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? QStringLiteral("There is no such file.")
                                                   : qtReason;
    if (S_ISDIR(status.st_mode))
        return QStringLiteral("It is a folder, not a program.");
    if (::access(path.constData(), X_OK) != 0)
        return QStringLiteral("It is not allowed to run: it is not marked as executable.");
    // A file that may run but did not: no program this system knows how to
    // start (a script without its #! line, say, or another system's program).
    if (S_ISREG(status.st_mode))
        return QStringLiteral("It is not a program this system can run.");
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
