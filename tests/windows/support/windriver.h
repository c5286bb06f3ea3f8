#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// Drives Corvane's real windows in the test's own process, as a user would:
// keys through the system's input queue, clicks through the controls, and
// the modal dialogs they open answered from a timer, which fires inside the
// dialogs' own message loops. Anything that does not come, or that comes
// unasked, fails the caller's check and is closed, never left to hang it.
namespace WinDriver {

// Handles this thread's messages as the program's own loop does, until
// condition holds or timeoutMs has passed; returns whether it holds.
bool waitFor(const std::function<bool()> &condition, int timeoutMs = 5000);
// Handles messages for a while, for what must not happen.
void settle(int ms = 300);

// A key, with Alt or Shift held (VK_MENU, VK_SHIFT) or none.
struct Key
{
    WORD key;
    WORD held = 0;
};
// Types the keys into the foreground window and handles what they cause.
void press(std::initializer_list<Key> keys);

std::wstring textOf(HWND window);
// Where Wine's answers differ from Windows', the tests name both.
bool onWine();
// The DPI the test is run at: 96, or what CORVANE_EXPECTED_DPI says.
UINT expectedDpi();
// The bytes of a file, or none where it cannot be read.
std::string contentsOf(const std::wstring &path);

// While it lives, answers every message box this thread shows with OK and
// remembers what each said.
class MessageBoxAnswerer
{
public:
    struct Seen
    {
        std::wstring title;
        std::wstring text;
    };

    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer &) = delete;
    MessageBoxAnswerer &operator=(const MessageBoxAnswerer &) = delete;

    const std::vector<Seen> &seen() const { return m_seen; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);

    UINT_PTR m_timer = 0;
    std::vector<Seen> m_seen;
};

// The system's open-file dialog as it shows.
struct ShownDialog
{
    HWND dialog;
    std::wstring title() const { return textOf(dialog); }
    std::wstring filter() const; // the file type it lists
    std::wstring nameShown() const; // the name field's text
    // Presses Enter on the name field as it is; true when the dialog stays open.
    bool enterKeepsItOpen() const;
    // Shows folder and returns the names listed there, sorted, once they are
    // the expected ones or after a few seconds.
    std::vector<std::wstring> listingOf(const std::wstring &folder,
                                        const std::vector<std::wstring> &expected) const;
};

enum class Action { TypeName, SelectFile, Cancel };

// Clicks button, which must open the system's open-file dialog, and drives
// it: inspect, if given, looks at it as shown, then the action runs: type
// the file's path into the name field and press Open, select the file in
// the list and press Open, or cancel. True only when the dialog appeared,
// took the action and closed, and no message box showed.
[[nodiscard]] bool clickAndDrive(HWND button, Action action, const std::wstring &path = {},
                                 const std::function<void(const ShownDialog &)> &inspect = {});

// A fresh folder under the user's temporary folder, removed with all it holds.
class TemporaryFolder
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    const std::wstring &path() const { return m_path; }
    std::wstring file(const std::wstring &name) const { return m_path + L'\\' + name; }
    // Makes a file here holding contents; true when it was made.
    bool make(const std::wstring &name, const std::string &contents = {}) const;

private:
    std::wstring m_path;
};

// How many access violations the process has met so far. Wine, like
// 64-bit Windows, lets a window procedure's fault pass unseen: count them.
int faults();

// While it lives, the windows of this thread for which refuse() is true
// cannot be created, as where the system runs out of them (a CBT hook).
class RefuseCreation
{
public:
    using Refuse = std::function<bool(const CREATESTRUCTW &)>;
    explicit RefuseCreation(Refuse refuse);
    ~RefuseCreation();
    RefuseCreation(const RefuseCreation &) = delete;
    RefuseCreation &operator=(const RefuseCreation &) = delete;

    int refused() const { return m_refused; }

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);

    Refuse m_refuse;
    HHOOK m_hook = nullptr;
    int m_refused = 0;
};
// While it lives, the system's message font is this many points, as a user
// who picks larger text has it, in this process alone; then as it was.
class MessageFontSize
{
public:
    explicit MessageFontSize(int points);
    ~MessageFontSize();
    MessageFontSize(const MessageFontSize &) = delete;
    MessageFontSize &operator=(const MessageFontSize &) = delete;

private:
    NONCLIENTMETRICSW m_saved = {};
};

// Whether every caption in window shows whole, by the system's measure: each
// button's and check box's size at least the ideal one for its caption
// (BCM_GETIDEALSIZE), each frame's caption, a line of its font, above the
// controls in it, no two controls over each other. What is wrong, or "".
std::string captionsFault(HWND window);

// The class of a window about to be made, and that of its parent.
std::wstring classOf(const CREATESTRUCTW &window);
std::wstring parentClassOf(const CREATESTRUCTW &window);

// What a screen reader is told of a window through MSAA.
struct Accessible
{
    std::wstring name;
    long role = 0;
};
Accessible accessibleOf(HWND window);

} // namespace WinDriver
