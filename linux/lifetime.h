#pragma once

#include <memory>

class QApplication;

// Starts the toolkit for Corvane. Where the desktop has no session bus, it
// keeps libdbus from autolaunching one (it would write under ~/.dbus and
// outlive Corvane); programs started later still get the environment Corvane
// was given. Where no display can be opened, it prints one line that says so
// and which display it tried, and exits with status 1 instead of aborting.
std::unique_ptr<QApplication> startApplication(int &argc, char **argv);

// Ends the program at once, with status 0 or the one given: no further event
// is handled, no window is closed in the ordinary way and nothing is torn
// down. Programs it started run on.
[[noreturn]] void endProgramNow();
[[noreturn]] void endProgramNow(int status);
