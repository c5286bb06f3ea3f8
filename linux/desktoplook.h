#pragma once

#include <QFont>
#include <QPalette>
#include <QString>

#include <optional>

// On GTK-based desktops (GNOME, Xfce, MATE, Cinnamon, ...) and on KDE
// Plasma, Qt's platform theme is the desktop's own, where it is installed:
// GTK's loads all of GTK into Corvane, Plasma's the KDE Frameworks and Qt
// Quick, to learn the desktop's font and colours, and so triples Corvane's
// start-up time and memory. Corvane leaves those themes out and learns the
// font and colours itself, where the desktop keeps them: from the X settings
// daemon or the settings portal on GTK's desktops, from Plasma's kdeglobals
// on Plasma's. A theme the user names in QT_QPA_PLATFORMTHEME is still
// obeyed.

struct DesktopLook
{
    std::optional<QFont> font;
    std::optional<QPalette> palette;
};

// Called before the toolkit starts: whether Corvane takes the look itself.
bool leaveDesktopThemeOut();

// Once the toolkit runs: what the desktop says of its look.
DesktopLook desktopLook();

// Gives the application the desktop's font and colours, where it said them.
void takeLook(const DesktopLook &look);
