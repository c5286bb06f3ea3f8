#include "programstart.h"

#include "qttext.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Empty: the launcher's own environment.
QProcessEnvironment startedProgramsEnvironment;

// Qt reports a failed start as "execv: Permission denied"; say what is wrong
// with the file in words a user understands.
Text reasonFor(const Text &program, const QString &qtReason)
{
    struct stat status;
    if (::stat(program.c_str(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? "There is no such file." : toText(qtReason);
    if (S_ISDIR(status.st_mode))
        return "It is a folder, not a program.";
    if (::access(program.c_str(), X_OK) != 0)
        return "It is not allowed to run: it is not marked as executable.";
    // A file that may run but did not: no program this system knows how to
    // start (a script without its #! line, say, or another system's program).
    if (S_ISREG(status.st_mode))
        return "It is not a program this system can run.";
    return toText(qtReason);
}

} // namespace

bool startDetachedProgram(const Text &program, const Text &argument, const Activation &activation,
                          Text *reason)
{
    QProcessEnvironment environment = startedProgramsEnvironment.isEmpty()
            ? QProcessEnvironment::systemEnvironment()
            : startedProgramsEnvironment;
    // The launcher's own startup id or token was spent on its own window;
    // handed on, it would tell the desktop to keep the program from the focus.
    environment.remove(QStringLiteral("DESKTOP_STARTUP_ID"));
    environment.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    if (!activation.variable.isEmpty())
        environment.insert(QString::fromLatin1(activation.variable),
                           QString::fromLatin1(activation.value));

    QProcess process;
    process.setProgram(toQString(program));
    process.setArguments({toQString(argument)});
    process.setProcessEnvironment(environment);
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
