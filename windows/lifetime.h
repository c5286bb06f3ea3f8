#pragma once

// Handles messages until the launcher window has gone; returns the status the
// program ends with.
int runMessageLoop();

// Ends the program at once: no further message is handled and no window
// procedure runs. Programs it started run on.
[[noreturn]] void endProgramNow();
