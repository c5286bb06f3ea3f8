#pragma once

#include "launchhost.h"

// Starts program with argument as its one argument, as an independent process
// in a normal window, given the focus, that inherits no handle. Returns false
// with the system's reason, in the user's language, when it cannot start.
bool startDetachedProgram(const Text &program, const Text &argument, Text *reason);
