#include "dpi.h"

#include "systemcalls.h"

namespace {

UINT systemDpi()
{
    const WindowDC screen(nullptr);
    return UINT(GetDeviceCaps(screen.get(), LOGPIXELSY));
}

} // namespace

namespace Dpi {

UINT ofWindow(HWND window)
{
    if (SystemCalls::getDpiForWindow)
        return SystemCalls::getDpiForWindow(window);
    return systemDpi();
}

RECT fromTwips(const Form::Rect &rect, UINT dpi)
{
    return {fromTwips(rect.left, dpi), fromTwips(rect.top, dpi),
            fromTwips(rect.left + rect.width, dpi), fromTwips(rect.top + rect.height, dpi)};
}

int systemMetric(int index, UINT dpi)
{
    if (SystemCalls::getSystemMetricsForDpi)
        return SystemCalls::getSystemMetricsForDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), int(dpi), int(systemDpi()));
}

RECT windowRectForClient(int width, int height, DWORD style, DWORD exStyle, bool menu, UINT dpi)
{
    RECT rect = {0, 0, width, height};
    if (SystemCalls::adjustWindowRectExForDpi)
        SystemCalls::adjustWindowRectExForDpi(&rect, style, menu, exStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, menu, exStyle);
    OffsetRect(&rect, -rect.left, -rect.top);
    return rect;
}

FontHandle messageFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (SystemCalls::systemParametersInfoForDpi) {
        SystemCalls::systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
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
