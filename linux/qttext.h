#pragma once

#include "launchhost.h"

#include <QFile>
#include <QString>

// The Qt face's edge with the launch logic: paths cross it as the file
// system's bytes, converted here and nowhere else.
inline Text toText(const QString &text)
{
    return QFile::encodeName(text).toStdString();
}

inline QString toQString(const Text &text)
{
    return QFile::decodeName(QByteArray::fromStdString(text));
}
