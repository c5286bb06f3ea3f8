#pragma once

#include <QByteArray>

class QWidget;

// What lets a program started now take the focus where the desktop prevents
// focus stealing: an environment variable for it and its value. On X11 a
// fresh startup id whose _TIME is inputTime, the X server's time of the
// user's input that asked for the start (the startup-notification
// protocol); on Wayland a token the compositor gives for window's
// surface and the latest input's serial (xdg-activation-v1). Nothing on other
// platforms, nor where the time or the token cannot be had: the program then
// starts as it would without.
struct Activation
{
    QByteArray variable;
    QByteArray value;
};

Activation activationFor(QWidget *window, unsigned long inputTime);
