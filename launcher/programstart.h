#pragma once

#include <QString>
#include <QStringList>

// Starts program as an independent process (it outlives the launcher and is
// never left as a zombie), in a normal window with focus where the platform has
// window styles. Returns false with the system's reason when it cannot start.
bool startDetachedProgram(const QString &program, const QStringList &arguments, QString *reason);
