#pragma once

#include "launchhost.h"

// Starts program with argument as its one argument, as an independent process
// (it outlives the launcher and is never left as a zombie), in a normal window
// with focus where the platform has window styles. Returns false with the
// reason, in words a user understands, when it cannot start.
bool startDetachedProgram(const Text &program, const Text &argument, Text *reason);

#ifndef _WIN32
#include "activationtoken.h"

class QProcessEnvironment;

// The same, with what lets the program take the focus (activationtoken.h).
bool startDetachedProgram(const Text &program, const Text &argument, const Activation &activation,
                          Text *reason);

// Programs started from now on get this environment, the one the launcher
// was given, rather than the launcher's own, which it may have changed for
// the toolkit's sake.
void setStartedProgramsEnvironment(const QProcessEnvironment &environment);
#endif
