#pragma once

#include <QByteArray>

#include <cstdint>

class QInputEvent;
class QWidget;

// The user's input that asked for a start, as the window system numbers it:
// its time (X11) and serial (Wayland). None where the start was asked for
// without input, by a screen reader's action, say.
struct Input
{
    unsigned long time = 0;
    std::uint32_t serial = 0;
};

// The input event being handled now. Compositors let a program take the
// focus for a button's press or a key, not for a button's release: take the
// serial while the press is handled.
Input inputOf(const QInputEvent *event);

// What lets a program started now take the focus where the desktop prevents
// focus stealing: an environment variable for it and its value. On X11 a
// fresh startup id whose _TIME is the input's time (the startup-notification
// protocol); on Wayland a token the compositor gives for window's surface,
// the seat and the input's serial (xdg-activation-v1). Nothing on other
// platforms, without input, nor where the token cannot be had: the program
// then starts as it would without.
struct Activation
{
    QByteArray variable;
    QByteArray value;
};

Activation activationFor(QWidget *window, const Input &input);
