#pragma once

#include "activationtoken.h"
#include "launchhost.h"

// Starts program with argument as its one argument, byte for byte, as an
// independent process in a session of its own that outlives the launcher and
// is never left as its zombie. It gets the launcher's environment with what
// lets it take the focus (activationtoken.h), and of the launcher's open
// descriptors only the standard three. Returns false with the reason, in
// words a user understands, when it cannot start.
bool startDetachedProgram(const Text &program, const Text &argument, const Activation &activation,
                          Text *reason);

// Programs started from now on get the environment the launcher has now, as
// it was given, rather than the launcher's own, which it may later change
// for the toolkit's sake.
void keepEnvironmentForStartedPrograms();
