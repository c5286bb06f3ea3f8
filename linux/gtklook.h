#pragma once

#include "desktoplook.h"

// The look of GNOME, Xfce, MATE and Cinnamon as GTK's theme would take it:
// the font and whether the colours are dark, from the X settings daemon over
// the X connection Qt has open, or, where none answers (on Wayland), from
// the settings portal, which is never started for Corvane's sake.
DesktopLook gtkLook();
