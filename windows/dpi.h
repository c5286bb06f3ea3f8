#pragma once

#include "form.h"
#include "handles.h"

#include <windows.h>

// Per-monitor DPI. Corvane lays its windows out in twips (1/1440 inch) and
// scales them for the DPI of the window's monitor, with the system's message
// font made for that DPI; where Windows is too old to say a window's DPI, the
// system-wide one.
namespace Dpi {

constexpr UINT standard = 96;

UINT ofWindow(HWND window);

inline int fromTwips(int twips, UINT dpi)
{
    return MulDiv(twips, int(dpi), Form::twipsPerInch);
}

// A rectangle given in twips, in pixels at dpi; edges are scaled rather than
// sizes, so that neighbours stay flush at every scale.
RECT fromTwips(const Form::Rect &rect, UINT dpi);

int systemMetric(int index, UINT dpi);

// The size of window, with this style and frame, at dpi: its client area is
// the form's, below a menu bar where it has one.
SIZE windowSize(const Form::Window &window, DWORD style, DWORD exStyle, bool menu, UINT dpi);

// The system's message font, sized for dpi; where the system does not say
// which, the font Windows' dialogs use.
FontHandle messageFont(UINT dpi);
LOGFONTW fallbackMessageFont(UINT dpi);

// Gives window this size, where it is.
void resize(HWND window, SIZE size);

// Gives window the rectangle that WM_DPICHANGED suggests (its lParam), in one
// move: the size is the one the window gave for WM_GETDPISCALEDSIZE.
void takeSuggestedRect(HWND window, LPARAM suggested);

// Gives window the icon at the sizes dpi asks for, kept in small and big.
void setIcons(HWND window, HINSTANCE instance, int icon, UINT dpi, IconHandle *small,
              IconHandle *big);

} // namespace Dpi
