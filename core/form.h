#pragma once

#include "identity.h"
#include "launchhost.h"
#include "launchlogic.h"

#include <string>

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

enum class Kind {
    Frame,
    Button,
    Field, // a text field only the program writes: greyed, never focused
    CheckBox, // two states
};

struct Rect
{
    int left, top, width, height;
};

// An event procedure of the launch logic.
using Procedure = void (LaunchLogic::*)();

struct Control
{
    Id id;
    const char *name;
    Kind kind;
    const char *caption; // a field's initial text
    Id frame; // the frame it sits in, or none
    Rect place;
    int tabIndex; // focus moves by ascending index, skipping frames and fields
    Procedure click; // what pressing it runs, or none
};

struct Window
{
    const char *name;
    const char *caption;
    int clientWidth, clientHeight; // below the menu bar, where there is one
};

inline constexpr Window launcher = {"frmMain", Identity::launcherCaption, 6375, 3405};

// A frame comes before the controls it holds. No button is a default button.
inline constexpr Control launcherControls[] = {
        {fraExecute,
         "fraExecute",
         Kind::Frame,
         "Ruxa Executable",
         none,
         {120, 0, 6015, 735},
         1,
         {}},
        {cmdExecute,
         "cmdExecute",
         Kind::Button,
         "Select",
         fraExecute,
         {120, 240, 1335, 375},
         4,
         &LaunchLogic::cmdExecute_Click},
        {txtExecute,
         "txtExecute",
         Kind::Field,
         "<none selected>",
         fraExecute,
         {1560, 240, 4335, 375},
         0,
         {}},
        {fraROM, "fraROM", Kind::Frame, "Virtual Gameboy ROM", none, {120, 840, 6015, 735}, 2, {}},
        {cmdROM,
         "cmdROM",
         Kind::Button,
         "Select",
         fraROM,
         {120, 240, 1335, 375},
         5,
         &LaunchLogic::cmdROM_Click},
        {txtROM, "txtROM", Kind::Field, "<none selected>", fraROM, {1560, 240, 4335, 375}, 6, {}},
        {fraCommand,
         "fraCommand",
         Kind::Frame,
         "Command Line Preview",
         none,
         {120, 1680, 6015, 735},
         8,
         {}},
        {cmdPreview,
         "cmdPreview",
         Kind::Button,
         "Preview",
         fraCommand,
         {120, 240, 1335, 375},
         10,
         &LaunchLogic::cmdPreview_Click},
        {txtCommand, "txtCommand", Kind::Field, "", fraCommand, {1560, 240, 4335, 375}, 9, {}},
        {cmdRun,
         "cmdRun",
         Kind::Button,
         "Run Ruxa",
         none,
         {120, 2520, 6135, 375},
         3,
         &LaunchLogic::cmdRun_Click},
        {chkExit, "chkExit", Kind::CheckBox, "Exit On Start", none, {600, 3000, 1215, 255}, 11, {}},
        {cmdQuit,
         "cmdQuit",
         Kind::Button,
         "&Quit",
         none,
         {2400, 3000, 1575, 375},
         7,
         &LaunchLogic::cmdQuit_Click},
};

struct MenuItem
{
    Id id;
    const char *name;
    const char *caption;
    Id menu; // the menu it belongs to, or none for a menu of the menu bar
    Procedure click;
};

// In order: each menu of the bar, then its items.
inline constexpr MenuItem menuItems[] = {
        {mnuFile, "mnuFile", "&File", none, {}},
        {mnuFileExit, "mnuFileExit", "E&xit", mnuFile, &LaunchLogic::mnuFileExit_Click},
        {mnuHelp, "mnuHelp", "&Help", none, {}},
        {mnuHelpAbout, "mnuHelpAbout", "About", mnuHelp, &LaunchLogic::mnuHelpAbout_Click},
};

// About: the picture across the top of the client area, drawn pixel for pixel
// at scale 1, and OK in the strip below, which hides the window.
inline constexpr Window about = {"frmAbout", Identity::aboutCaption, 5550, 4005};
inline constexpr Rect aboutPicture = {0, 0, 5550, 3585};
inline constexpr Control aboutOK
        = {cmdOK, "cmdOK", Kind::Button, "OK", none, {1680, 3600, 2055, 375}, 0, {}};

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

const Selector &selector(LaunchHost::Selector which);
// The launcher's control with this id.
const Control &control(Id id);
// What pressing the control or choosing the menu item with this id runs, or none.
Procedure procedureOf(int id);

} // namespace Form
