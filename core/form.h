#pragma once

#include "identity.h"
#include "launchhost.h"
#include "launchlogic.h"

#include <cstddef>
#include <string>
#include <vector>

// Corvane's two windows, described once: each control's name, kind, caption,
// place and tab index, the menus, the About window and the file selectors'
// dialogs. Each face builds its windows from these tables and wires every
// control and menu item to the event procedure named here.
//
// Places are in twips, 1/1440 inch (15 to a pixel at 96 dpi); a control in a
// frame counts from the frame's corner. An ampersand in a caption marks the
// access key of the letter after it ("&Quit": Alt+Q).
namespace Form {

// The controls and menu items by name; on Windows, their ids.
enum Id : int {
    none = 0,
    cmdOK = 1, // About's OK, with the id Windows' dialogs give their OK button
    fraExecute = 100,
    cmdExecute,
    txtExecute,
    fraROM,
    cmdROM,
    txtROM,
    fraCommand,
    cmdPreview,
    txtCommand,
    cmdRun,
    chkExit,
    cmdQuit,
    mnuFile,
    mnuFileExit,
    mnuHelp,
    mnuHelpAbout,
};

enum Kind {
    Frame,
    Button,
    Field, // a text field only the program writes: greyed, never focused
    CheckBox, // two states
};

struct Rect
{
    int left, top, width, height;
};

struct Control
{
    Id id;
    const char *name;
    Kind kind;
    const char *caption; // a field's initial text
    Id frame; // the frame it sits in, or none
    Rect place;
    int tabIndex; // focus moves by ascending index, skipping frames and fields
};

struct Window
{
    const char *name;
    const char *caption;
    int clientWidth, clientHeight; // below the menu bar, where there is one
};

inline constexpr int twipsPerInch = 1440;

inline constexpr Window launcher = {"frmMain", Identity::launcherCaption, 6375, 3405};

// A frame comes before the controls it holds. No button is a default button.
// clang-format off
inline constexpr Control launcherControls[] = {
    {fraExecute, "fraExecute", Frame,    "Ruxa Executable",      none,       {120, 0, 6015, 735},      1},
    {cmdExecute, "cmdExecute", Button,   "Select",               fraExecute, {120, 240, 1335, 375},    4},
    {txtExecute, "txtExecute", Field,    "<none selected>",      fraExecute, {1560, 240, 4335, 375},   0},
    {fraROM,     "fraROM",     Frame,    "Virtual Gameboy ROM",  none,       {120, 840, 6015, 735},    2},
    {cmdROM,     "cmdROM",     Button,   "Select",               fraROM,     {120, 240, 1335, 375},    5},
    {txtROM,     "txtROM",     Field,    "<none selected>",      fraROM,     {1560, 240, 4335, 375},   6},
    {fraCommand, "fraCommand", Frame,    "Command Line Preview", none,       {120, 1680, 6015, 735},   8},
    {cmdPreview, "cmdPreview", Button,   "Preview",              fraCommand, {120, 240, 1335, 375},   10},
    {txtCommand, "txtCommand", Field,    "",                     fraCommand, {1560, 240, 4335, 375},   9},
    {cmdRun,     "cmdRun",     Button,   "Run Ruxa",             none,       {120, 2520, 6135, 375},   3},
    {chkExit,    "chkExit",    CheckBox, "Exit On Start",        none,       {600, 3000, 1215, 255},  11},
    {cmdQuit,    "cmdQuit",    Button,   "&Quit",                none,       {2400, 3000, 1575, 375},  7},
};
// clang-format on

struct MenuItem
{
    Id id;
    const char *name;
    const char *caption;
    Id menu; // the menu it belongs to, or none for a menu of the menu bar
};

// In order: each menu of the bar, then its items.
inline constexpr MenuItem menuItems[] = {
        {mnuFile, "mnuFile", "&File", none},
        {mnuFileExit, "mnuFileExit", "E&xit", mnuFile},
        {mnuHelp, "mnuHelp", "&Help", none},
        {mnuHelpAbout, "mnuHelpAbout", "About", mnuHelp},
};

// The launcher's event procedures: what pressing a control or choosing a
// menu item runs. Nothing else has one; the check box only toggles.
using Procedure = void (LaunchLogic::*)();
struct Event
{
    Id id;
    Procedure procedure;
};
inline constexpr Event events[] = {
        {cmdExecute, &LaunchLogic::cmdExecute_Click},
        {cmdROM, &LaunchLogic::cmdROM_Click},
        {cmdPreview, &LaunchLogic::cmdPreview_Click},
        {cmdRun, &LaunchLogic::cmdRun_Click},
        {cmdQuit, &LaunchLogic::cmdQuit_Click},
        {mnuFileExit, &LaunchLogic::mnuFileExit_Click},
        {mnuHelpAbout, &LaunchLogic::mnuHelpAbout_Click},
};

// About: the picture across the top of the client area, drawn pixel for pixel
// at scale 1, and OK in the strip below, which hides the window.
inline constexpr Window about = {"frmAbout", Identity::aboutCaption, 5550, 4005};
inline constexpr Rect aboutPicture = {0, 0, 5550, 3585};
inline constexpr Control aboutOK = {cmdOK, "cmdOK", Button, "OK", none, {1680, 3600, 2055, 375}, 0};

// What the About picture says, for those who cannot see it.
std::string pictureWords();

// A selector's open-file dialog. Emulators on Linux carry no extension: there
// the executable's dialog lists every file and adds none to a typed name.
struct Selector
{
    LaunchHost::Selector which;
    const char *dialogName;
    Id button;
    Id field;
    const char *title;
    const char *fileName; // the initial file name, a wildcard
    const char *filter; // the description of the files listed
    const char *pattern; // the files listed
    const char *defaultExt; // added to a name typed without one, or ""
};

inline constexpr Selector selectors[] = {
        {LaunchHost::Selector::Executable, "cmnExecute", cmdExecute, txtExecute,
         "Select Ruxa Executable", "*.exe", "VirtualBoy Executable",
#ifdef _WIN32
         "*.exe", "exe"},
#else
         "*", ""},
#endif
        {LaunchHost::Selector::Rom, "cmnROM", cmdROM, txtROM, "Select Ruxa Rom Image", "*.vb",
         "VirtualBoy ROM Images", "*.vb", "vb"},
};

// Where the desktop's font is larger than the one the places were set for,
// captions need more room than the places give. What a control's caption
// needs, in twips, 0 where its place suffices: for a frame, the height of
// its caption from the frame's top, which the controls inside must stay
// below; for any other control, its smallest width and height.
struct Need
{
    int width = 0;
    int height = 0;
};

// The places once every caption has the room it needs: a control grows to
// its need, and pushes what lies after it along, to the right in its row (so
// that a gap of at least a frame's margin stays) and below it; a frame's
// controls move down below its caption, and the frame grows round them; the
// client area grows with them. Where every need is met by the places, they
// stay exactly as specified.
struct Layout
{
    std::vector<Rect> places; // in the order of the controls given
    int clientWidth, clientHeight;
};
Layout fitCaptions(const Control *controls, std::size_t count, const Window &window,
                   const std::vector<Need> &needs);

const Selector &selector(LaunchHost::Selector which);
// The launcher's control with this id.
const Control &control(Id id);
// What pressing the control or choosing the menu item with this id runs, or none.
Procedure procedureOf(int id);

} // namespace Form
