#pragma once

#include "desktoplook.h"

// The look of KDE Plasma as Plasma's theme would take it: the colour scheme
// and font from kdeglobals, the system's and the user's over it, and
// Plasma's own (Breeze Light, Noto Sans 10) where the user chose none.
DesktopLook plasmaLook();
