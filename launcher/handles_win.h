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
struct HandleDeleter
{
    void operator()(void *handle) const { CloseHandle(handle); }
};

using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
using KernelHandle = std::unique_ptr<void, HandleDeleter>;
