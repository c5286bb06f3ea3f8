#pragma once

#include <windows.h>

// Corvane's windows are objects: each passes itself as CreateWindowExW's last
// argument, and its messages go to its attach(), onMessage() and, once the
// window is gone, windowGone().
template<typename Object>
LRESULT CALLBACK routeMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *object
                = static_cast<Object *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        object->attach(window);
    }
    auto *object = reinterpret_cast<Object *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        object->windowGone();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return object->onMessage(message, wParam, lParam);
}

// Registers the class of Object's windows, once: a dialog's background and
// the arrow, no icon of its own.
template<typename Object>
void registerWindowClass(const wchar_t *name)
{
    static const ATOM registered = [name] {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = routeMessages<Object>;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = name;
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;
}
