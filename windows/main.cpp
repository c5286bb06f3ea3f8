#include "lifetime.h"

#include <windows.h>

// Corvane takes no arguments: the command line is never read.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show)
{
    return runProgram(show);
}
