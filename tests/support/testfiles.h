#pragma once

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

} // namespace TestFiles
