#pragma once

#include "activationtoken.h"
#include "launchhost.h"

class QProcessEnvironment;

// Starts program with argument as its one argument, as an independent process
// that outlives the launcher and is never left as a zombie, with what lets it
// take the focus (activationtoken.h). Returns false with the reason, in words
// a user understands, when it cannot start.
bool startDetachedProgram(const Text &program, const Text &argument, const Activation &activation,
                          Text *reason);

// Programs started from now on get this environment, the one the launcher
// was given, rather than the launcher's own, which it may have changed for
// the toolkit's sake.
void setStartedProgramsEnvironment(const QProcessEnvironment &environment);
