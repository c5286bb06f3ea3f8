#include "qtplugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

bool qtPluginInstalled(const QString &kind, const QString &pattern)
{
    QStringList folders;
    for (const QString &path : QCoreApplication::libraryPaths())
        folders << path + QLatin1Char('/') + kind;
    // The platform plugin path is searched for platform themes too.
    folders << qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH").split(QLatin1Char(':'));
    for (const QString &folder : std::as_const(folders))
        if (!folder.isEmpty() && !QDir(folder).entryList({pattern}, QDir::Files).isEmpty())
            return true;
    return false;
}
