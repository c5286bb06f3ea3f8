#pragma once

#include <QString>

// On GTK-based desktops (GNOME, Xfce, MATE, Cinnamon, ...) Qt's platform
// theme is GTK's own, where it is installed: it loads all of GTK into
// Corvane to learn two things, the desktop's font and its colours, and so
// triples Corvane's start-up time and memory. Corvane leaves GTK out there
// and learns those two itself, as GTK would: from the X settings daemon on
// X11, from the settings portal elsewhere. A theme the user names in
// QT_QPA_PLATFORMTHEME is still obeyed.

struct DesktopLook
{
    QString font; // as the desktop names it: "Cantarell 11"; empty: unknown
    bool dark = false;
};

// Called before the toolkit starts: whether Corvane takes the look itself.
bool leaveGtkOut();

// Once the toolkit runs: what the desktop says of its look.
DesktopLook desktopLook();

// Gives the application the desktop's font and, where it is dark, dark colours.
void takeLook(const DesktopLook &look);
