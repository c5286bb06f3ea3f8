#include "programstart.h"

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

// The system's words for error, in the user's language.
std::wstring systemReason(DWORD error, const std::wstring &program)
{
    wchar_t *words = nullptr;
    const DWORD length
            = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                     | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<wchar_t *>(&words), 0, nullptr);
    std::wstring reason(words ? words : L"", length);
    LocalFree(words);
    // Some read "%1 is not a valid Win32 application."; %1 is the program.
    const std::wstring name = program.substr(program.find_last_of(L"\\/") + 1);
    for (std::size_t at = reason.find(L"%1"); at != std::wstring::npos;
         at = reason.find(L"%1", at + name.size()))
        reason.replace(at, 2, name);
    while (!reason.empty()
           && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    return reason;
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
        if (reason)
            *reason = systemReason(GetLastError(), program);
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}
