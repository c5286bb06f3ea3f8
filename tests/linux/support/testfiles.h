#pragma once

#include <QDir>
#include <QFile>
#include <QString>

// Small files for tests: empty stand-ins for ROMs and emulators, and reading back.
namespace TestFiles {

inline const QFile::Permissions readWrite = QFile::ReadOwner | QFile::WriteOwner;
inline const QFile::Permissions executable = readWrite | QFile::ExeOwner;

// Creates an empty file (or empties it) with the given permissions.
inline bool make(const QString &path, QFile::Permissions permissions = readWrite)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.setPermissions(permissions);
}

inline QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Programs that cannot start, and the words a user is given for each.
struct Unrunnable
{
    const char *row;
    const char *kind;
    const char *reason;
};
inline const Unrunnable unrunnable[] = {
        {"missing", "missing", "There is no such file."},
        {"a folder", "folder", "It is a folder, not a program."},
        {"not executable", "plain", "It is not allowed to run: it is not marked as executable."},
        {"empty, marked executable", "text", "It is not a program this system can run."},
        {"bad format", "garbage", "It is not a program this system can run."},
};

// Makes at path a program of that kind.
inline bool makeUnrunnable(const QString &path, const QString &kind)
{
    if (kind == QLatin1String("missing"))
        return !QFile::exists(path);
    if (kind == QLatin1String("folder"))
        return QDir().mkdir(path);
    if (kind == QLatin1String("plain"))
        return make(path);
    if (kind == QLatin1String("text"))
        return make(path, executable);
    QFile file(path);
    return file.open(QIODevice::WriteOnly)
            && file.write("\x7f"
                          "ELF? no, just bytes\n")
            > 0
            && file.setPermissions(executable);
}

} // namespace TestFiles
