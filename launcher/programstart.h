#pragma once

#include <QString>
#include <QStringList>

class QProcessEnvironment;

// Starts program as an independent process (it outlives the launcher and is
// never left as a zombie), in a normal window with focus where the platform has
// window styles. Returns false with the system's reason when it cannot start.
bool startDetachedProgram(const QString &program, const QStringList &arguments, QString *reason);

// Programs started from now on get this environment rather than the launcher's
// own, which the launcher may have changed for the toolkit's sake.
void setStartedProgramsEnvironment(const QProcessEnvironment &environment);
