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

SIZE windowSize(const Form::Window &window, DWORD style, DWORD exStyle, bool menu, UINT dpi)
{
    RECT rect = {0, 0, fromTwips(window.clientWidth, dpi), fromTwips(window.clientHeight, dpi)};
    if (SystemCalls::adjustWindowRectExForDpi)
        SystemCalls::adjustWindowRectExForDpi(&rect, style, menu, exStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, menu, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

FontHandle messageFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    bool found = false;
    if (SystemCalls::systemParametersInfoForDpi) {
        found = SystemCalls::systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics,
                                                        &metrics, 0, dpi);
    } else if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfMessageFont.lfHeight
                = MulDiv(metrics.lfMessageFont.lfHeight, int(dpi), int(systemDpi()));
        found = true;
    }
    const LOGFONTW font = found ? metrics.lfMessageFont : fallbackMessageFont(dpi);
    return FontHandle(CreateFontIndirectW(&font));
}

LOGFONTW fallbackMessageFont(UINT dpi)
{
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(9, int(dpi), 72); // 9 points
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    wcscpy(font.lfFaceName, L"Segoe UI");
    return font;
}

void resize(HWND window, SIZE size)
{
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void takeSuggestedRect(HWND window, LPARAM suggested)
{
    const auto *rect = reinterpret_cast<const RECT *>(suggested);
    SetWindowPos(window, nullptr, rect->left, rect->top, rect->right - rect->left,
                 rect->bottom - rect->top, SWP_NOZORDER | SWP_NOACTIVATE);
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
