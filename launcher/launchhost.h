#pragma once

#include <string>

// Corvane's launch logic (LaunchLogic) is standard C++ with no toolkit, shared
// by both programs. Everything it needs from the launcher window and the
// platform passes through this interface: the Qt launcher window implements it
// on Linux, the Win32 one on Windows, and the tests implement it with a fake.

// Text as the platform hands it over, which the logic never converts: on
// Windows the UTF-16 the system's dialog returned, elsewhere the bytes of the
// file system.
#ifdef _WIN32
using Text = std::wstring;
#else
using Text = std::string;
#endif

// ASCII words as Text, on either platform.
inline Text asciiText(const char *ascii)
{
    return Text(ascii, ascii + std::char_traits<char>::length(ascii));
}

class LaunchHost
{
public:
    enum class Selector { Executable, Rom };

    virtual ~LaunchHost() = default;

    // The selector's current file name: its wildcard until a file is chosen.
    virtual Text selectorFileName(Selector selector) const = 0;
    virtual void setPreviewText(const Text &text) = 0;
    // The "Exit On Start" check box: 0 unchecked, 1 checked, 2 greyed.
    virtual int exitOnStartValue() const = 0;
    // A modal message with an OK button under the application's title.
    virtual void showMessage(const Text &text) = 0;
    // Starts program with argument as its one argument, exactly as given,
    // without waiting for it. Returns false, with the reason in words a user
    // understands in *reason, when it cannot start.
    virtual bool startProgram(const Text &program, const Text &argument, Text *reason) = 0;
    virtual void endImmediately() = 0;
};
