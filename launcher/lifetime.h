#pragma once

// Names the application to Qt and the platform; call once the QApplication exists.
void identifyApplication();

// Ends the program at once: no further event is handled, no window is closed
// in the ordinary way and nothing is torn down. Programs it started run on.
[[noreturn]] void endProgramNow(int status = 0);
