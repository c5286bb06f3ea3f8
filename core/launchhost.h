#pragma once

#include <string>

// Corvane's launch logic (LaunchLogic) is standard C++ with no toolkit, shared
// by both programs, and so is the description of its windows (form.h). The
// logic owns the event procedures; everything it needs from the windows and
// the platform passes through this interface: the Qt launcher window
// implements it on Linux, the Win32 one on Windows, and the tests a fake.

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

    // Shows the selector's modal open-file dialog. True when a file was
    // chosen, which is then the selector's file name; a cancel changes nothing.
    virtual bool showOpenDialog(Selector selector) = 0;
    // The selector's current file name: its wildcard until a file is chosen.
    virtual Text selectorFileName(Selector selector) const = 0;
    // The text field that shows the selector's choice.
    virtual void setSelectorText(Selector selector, const Text &text) = 0;
    virtual void setPreviewText(const Text &text) = 0;
    // The "Exit On Start" check box: 0 unchecked, 1 checked, 2 greyed.
    virtual int exitOnStartValue() const = 0;
    // A modal message with an OK button under the application's title.
    virtual void showMessage(const Text &text) = 0;
    // Starts program with argument as its one argument, exactly as given,
    // without waiting for it. Returns false, with the reason in words a user
    // understands in *reason, when it cannot start.
    virtual bool startProgram(const Text &program, const Text &argument, Text *reason) = 0;
    // Shows the one About window, loading it first where it is not loaded.
    virtual void showAbout() = 0;
    // Closes and releases the About window, shown or hidden, if it is loaded.
    virtual void unloadAbout() = 0;
    // Ends the program at once: no further event is handled.
    virtual void endImmediately() = 0;
};
