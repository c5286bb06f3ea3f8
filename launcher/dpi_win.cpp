#include "dpi_win.h"

namespace {

// Windows 10 1607 and later; looked up once, null where missing.
struct DpiFunctions
{
    UINT(WINAPI *getDpiForWindow)(HWND) = nullptr;
    int(WINAPI *getSystemMetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI *adjustWindowRectExForDpi)(RECT *, DWORD, BOOL, DWORD, UINT) = nullptr;
    BOOL(WINAPI *systemParametersInfoForDpi)(UINT, UINT, void *, UINT, UINT) = nullptr;

    DpiFunctions()
    {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        lookUp(user32, "GetDpiForWindow", getDpiForWindow);
        lookUp(user32, "GetSystemMetricsForDpi", getSystemMetricsForDpi);
        lookUp(user32, "AdjustWindowRectExForDpi", adjustWindowRectExForDpi);
        lookUp(user32, "SystemParametersInfoForDpi", systemParametersInfoForDpi);
    }

    template<typename Function>
    static void lookUp(HMODULE module, const char *name, Function &function)
    {
        function = reinterpret_cast<Function>(
                reinterpret_cast<void *>(GetProcAddress(module, name)));
    }
};

const DpiFunctions &functions()
{
    static const DpiFunctions found;
    return found;
}

UINT systemDpi()
{
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return UINT(dpi);
}

} // namespace

namespace Dpi {

UINT ofWindow(HWND window)
{
    if (functions().getDpiForWindow)
        return functions().getDpiForWindow(window);
    return systemDpi();
}

RECT fromTwips(int left, int top, int width, int height, UINT dpi)
{
    return {fromTwips(left, dpi), fromTwips(top, dpi), fromTwips(left + width, dpi),
            fromTwips(top + height, dpi)};
}

int systemMetric(int index, UINT dpi)
{
    if (functions().getSystemMetricsForDpi)
        return functions().getSystemMetricsForDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), int(dpi), int(systemDpi()));
}

RECT windowRectForClient(int width, int height, DWORD style, DWORD exStyle, bool menu, UINT dpi)
{
    RECT rect = {0, 0, width, height};
    if (functions().adjustWindowRectExForDpi)
        functions().adjustWindowRectExForDpi(&rect, style, menu, exStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, menu, exStyle);
    OffsetRect(&rect, -rect.left, -rect.top);
    return rect;
}

FontHandle messageFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (functions().systemParametersInfoForDpi) {
        functions().systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                               dpi);
    } else {
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        metrics.lfMessageFont.lfHeight
                = MulDiv(metrics.lfMessageFont.lfHeight, int(dpi), int(systemDpi()));
    }
    return FontHandle(CreateFontIndirectW(&metrics.lfMessageFont));
}

void moveToSuggestedPlace(HWND window, LPARAM suggested)
{
    const auto *place = reinterpret_cast<const RECT *>(suggested);
    SetWindowPos(window, nullptr, place->left, place->top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void setIcons(HWND window, HINSTANCE instance, int icon, UINT dpi, IconHandle *small,
              IconHandle *big)
{
    auto load = [&](int width, int height) {
        return IconHandle(static_cast<HICON>(
                LoadImageW(instance, MAKEINTRESOURCEW(icon), IMAGE_ICON, width, height, 0)));
    };
    // The window lets go of the old icons before they are destroyed.
    IconHandle newSmall = load(systemMetric(SM_CXSMICON, dpi), systemMetric(SM_CYSMICON, dpi));
    IconHandle newBig = load(systemMetric(SM_CXICON, dpi), systemMetric(SM_CYICON, dpi));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(newSmall.get()));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(newBig.get()));
    *small = std::move(newSmall);
    *big = std::move(newBig);
}

} // namespace Dpi
