#include "programstart.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

// The environment the launcher was given, once kept; until then, the
// launcher's own as it is at each start.
bool environmentKept = false;
std::vector<std::string> givenEnvironment;

std::vector<std::string> currentEnvironment()
{
    std::vector<std::string> environment;
    for (char **variable = environ; *variable; ++variable)
        environment.emplace_back(*variable);
    return environment;
}

bool named(const std::string &variable, const char *name)
{
    const std::size_t length = std::strlen(name);
    return variable.size() > length && variable.compare(0, length, name) == 0
            && variable[length] == '=';
}

// The started program's environment: the one the launcher was given, without
// the launcher's own startup id or token, which were spent on its own window
// and, handed on, would tell the desktop to keep the program from the focus.
std::vector<std::string> environmentFor(const Activation &activation)
{
    const std::vector<std::string> source
            = environmentKept ? givenEnvironment : currentEnvironment();
    std::vector<std::string> environment;
    for (const std::string &variable : source)
        if (!named(variable, "DESKTOP_STARTUP_ID") && !named(variable, "XDG_ACTIVATION_TOKEN"))
            environment.push_back(variable);
    if (!activation.variable.isEmpty())
        environment.push_back(activation.variable.toStdString() + '='
                              + activation.value.toStdString());
    return environment;
}

// In the program's process, between fork and exec: only calls that are safe
// there. Every descriptor but the standard three closes as the program starts
// (the status pipe with them); SIGPIPE, which the launcher's libraries may
// ignore, is as a fresh program expects it. Should the start fail, its errno
// goes down the status pipe.
[[noreturn]] void becomeProgram(const char *path, char *const arguments[],
                                char *const environment[], int status, int descriptors)
{
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) != 0)
        for (int descriptor = 3; descriptor < descriptors; ++descriptor)
            ::fcntl(descriptor, F_SETFD, FD_CLOEXEC);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::signal(SIGPIPE, SIG_DFL);
    ::execve(path, arguments, environment);
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(status, &error, sizeof error);
    ::_exit(127);
}

// Starts the program as the grandchild of nobody, in a session of its own:
// the child between ends at once, so that the program outlives the launcher
// and is never left as its zombie. Returns the errno of a start that failed,
// or 0.
int spawnDetached(const char *path, char *const arguments[], char *const environment[])
{
    const int descriptors = int(::sysconf(_SC_OPEN_MAX));
    int status[2];
    if (::pipe2(status, O_CLOEXEC) != 0)
        return errno;
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(status[0]);
        ::close(status[1]);
        return error;
    }
    if (child == 0) {
        ::setsid();
        const pid_t program = ::fork();
        if (program == 0)
            becomeProgram(path, arguments, environment, status[1], descriptors);
        if (program < 0) {
            const int error = errno;
            [[maybe_unused]] const ssize_t written = ::write(status[1], &error, sizeof error);
        }
        ::_exit(0);
    }
    ::close(status[1]);
    int error = 0;
    ssize_t got;
    do
        got = ::read(status[0], &error, sizeof error);
    while (got < 0 && errno == EINTR);
    ::close(status[0]);
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) { }
    return got == ssize_t(sizeof error) ? error : 0;
}

// What is wrong with the program, in words a user understands.
Text reasonFor(const Text &program, int error)
{
    struct stat status;
    const bool exists = ::stat(program.c_str(), &status) == 0;
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        // An existing file whose interpreter is missing says ENOENT too.
        return exists ? "It is not a program this system can run." : "There is no such file.";
    case EACCES:
        if (exists && S_ISDIR(status.st_mode))
            return "It is a folder, not a program.";
        // A drive that runs nothing refuses every file's execute mark.
        if (struct statvfs drive;
            ::statvfs(program.c_str(), &drive) == 0 && (drive.f_flag & ST_NOEXEC))
            return "It is not allowed to run: the drive it is on is mounted so that no "
                   "program there may run (noexec).";
        if (exists && ::access(program.c_str(), X_OK) != 0)
            return "It is not allowed to run: it is not marked as executable.";
        break;
    case ENOEXEC:
        // No program this system knows how to start: a script without its
        // #! line, say, or another system's program.
        return "It is not a program this system can run.";
    default:
        break;
    }
    return std::strerror(error);
}

} // namespace

bool startDetachedProgram(const Text &program, const Text &argument, const Activation &activation,
                          Text *reason)
{
    // Everything the new process needs is made here: after fork, nothing may
    // allocate.
    std::vector<std::string> environment = environmentFor(activation);
    std::vector<char *> environmentPointers;
    for (std::string &variable : environment)
        environmentPointers.push_back(variable.data());
    environmentPointers.push_back(nullptr);
    std::string path = program;
    std::string given = argument;
    char *const arguments[] = {path.data(), given.data(), nullptr};

    const int error = spawnDetached(path.c_str(), arguments, environmentPointers.data());
    if (error != 0 && reason)
        *reason = reasonFor(program, error);
    return error == 0;
}

void keepEnvironmentForStartedPrograms()
{
    givenEnvironment = currentEnvironment();
    environmentKept = true;
}
