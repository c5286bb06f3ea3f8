#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Owners for the handles Corvane makes, so that every path frees them.
struct GdiObjectDeleter
{
    void operator()(void *object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
struct IconDeleter
{
    void operator()(HICON icon) const { DestroyIcon(icon); }
};

using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// A window's device context (the screen's, for no window), released when
// this goes.
class WindowDC
{
public:
    explicit WindowDC(HWND window)
        : m_window(window)
        , m_dc(GetDC(window))
    { }
    ~WindowDC()
    {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }
    WindowDC(const WindowDC &) = delete;
    WindowDC &operator=(const WindowDC &) = delete;

    HDC get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// An object selected into a device context until this goes, when the one it
// replaced is selected again.
class SelectedObject
{
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : m_dc(dc)
        , m_previous(SelectObject(dc, object))
    { }
    ~SelectedObject()
    {
        if (m_previous)
            SelectObject(m_dc, m_previous);
    }
    SelectedObject(const SelectedObject &) = delete;
    SelectedObject &operator=(const SelectedObject &) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
