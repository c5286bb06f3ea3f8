#pragma once

// Runs the program: limits the DLL search to the system's folder, opens the
// launcher window as show asks and handles messages until it has gone.
// Returns the status the program ends with: 1, having said so in a message
// box, where the window could not be opened.
int runProgram(int show);

// Ends the program at once: no further message is handled and no window
// procedure runs. Programs it started run on.
[[noreturn]] void endProgramNow();
