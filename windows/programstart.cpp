#include "programstart.h"

#include "text.h"

#include <windows.h>

namespace {

// One argument as the started program's C runtime splits it back out of the
// command line: in quotes, with backslashes doubled only where they come
// before a quote (the closing one included) and each quote escaped.
std::wstring quoted(const std::wstring &argument)
{
    std::wstring line = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t unit : argument) {
        if (unit == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(unit == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += unit;
    }
    line.append(backslashes * 2, L'\\');
    return line + L'"';
}

} // namespace

bool startDetachedProgram(const Text &program, const Text &argument, Text *reason)
{
    // The program is named on its own, so that nothing is searched for and no
    // splitting of the line can run another; it is the line's first word too,
    // as programs expect, whole in its quotes.
    std::wstring commandLine = L'"' + program + L"\" " + quoted(argument);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                        FALSE, // no handles inherited
                        0, nullptr, nullptr, &startup, &started)) {
        // Some read "%1 is not a valid Win32 application."; %1 is the program.
        if (reason)
            *reason = systemWords(GetLastError(), program.substr(program.find_last_of(L"\\/") + 1));
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}
