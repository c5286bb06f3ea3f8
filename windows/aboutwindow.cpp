#include "aboutwindow.h"

#include "captionroom.h"
#include "dialogkeys.h"
#include "dpi.h"
#include "form.h"
#include "resourceids.h"
#include "systemcalls.h"
#include "text.h"

#include <commctrl.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <memory>

using Microsoft::WRL::ComPtr;

namespace {

constexpr wchar_t className[] = L"CorvaneAbout";
// A caption with a close box and, as a dialog's, no icon.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD windowExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// The picture's width as drawn for scale 1.
constexpr int pictureWidthAtScale1 = 370;

std::unique_ptr<AboutWindow> instance;

// Keeps COM up for as long as the picture is being decoded.
struct ComScope
{
    const HRESULT result = SystemCalls::coInitializeEx
            ? SystemCalls::coInitializeEx(nullptr, COINIT_APARTMENTTHREADED)
            : E_NOTIMPL;
    ~ComScope()
    {
        if (SUCCEEDED(result))
            SystemCalls::coUninitialize();
    }
};

// The About picture at width x height pixels. It is drawn for scale 1 and 2;
// where one fits exactly it is shown pixel for pixel, else the larger is
// scaled smoothly. It is kept as PNG and decoded on first use.
BitmapHandle loadPicture(int width, int height)
{
    const int resource
            = width <= pictureWidthAtScale1 ? CORVANE_ABOUT_PICTURE : CORVANE_ABOUT_PICTURE_2X;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resource), RT_RCDATA);
    const HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    if (!loaded)
        return {};

    const ComScope com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT frameWidth = 0;
    UINT frameHeight = 0;
    if (FAILED(com.result)
        || FAILED(SystemCalls::coCreateInstance(CLSID_WICImagingFactory, nullptr,
                                                CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)))
        || FAILED(factory->CreateStream(&stream))
        || FAILED(stream->InitializeFromMemory(static_cast<BYTE *>(LockResource(loaded)),
                                               SizeofResource(instance, found)))
        || FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                   WICDecodeMetadataCacheOnDemand, &decoder))
        || FAILED(decoder->GetFrame(0, &frame))
        || FAILED(frame->GetSize(&frameWidth, &frameHeight)))
        return {};

    ComPtr<IWICBitmapSource> source = frame;
    if (frameWidth != UINT(width) || frameHeight != UINT(height)) {
        ComPtr<IWICBitmapScaler> scaler;
        if (FAILED(factory->CreateBitmapScaler(&scaler))
            || FAILED(scaler->Initialize(frame.Get(), UINT(width), UINT(height),
                                         WICBitmapInterpolationModeFant)))
            return {};
        source = scaler;
    }
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter))
        || FAILED(converter->Initialize(source.Get(), GUID_WICPixelFormat24bppBGR,
                                        WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom)))
        return {};

    // 24 bits, as the picture is: a static control takes such a bitmap as it
    // is, where it would copy one with an alpha channel.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, as WIC writes rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void *pixels = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    const UINT stride = (UINT(width) * 3 + 3) & ~3u;
    if (!bitmap
        || FAILED(converter->CopyPixels(nullptr, stride, stride * UINT(height),
                                        static_cast<BYTE *>(pixels))))
        return {};
    return bitmap;
}

} // namespace

AboutWindow *frmAbout(HWND owner)
{
    // One closed with its close box has no window left: a fresh one is made.
    if (!instance || !instance->m_window) {
        instance.reset();
        std::unique_ptr<AboutWindow> made(new AboutWindow(owner));
        if (!made->m_window)
            return nullptr;
        instance = std::move(made);
    }
    return instance.get();
}

void AboutWindow::unload()
{
    instance.reset();
}

AboutWindow::AboutWindow(HWND owner)
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    registerWindowClass<AboutWindow>(className);
    // Owned by the launcher: it stays above it and has no task bar button.
    CreateWindowExW(windowExStyle, className, widen(Form::about.caption).c_str(), windowStyle,
                    CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, owner, nullptr, module, this);
}

AboutWindow::~AboutWindow()
{
    if (m_window)
        DestroyWindow(m_window);
}

void AboutWindow::show()
{
    ShowWindow(m_window, SW_SHOW);
    SetForegroundWindow(m_window);
}

void AboutWindow::windowGone()
{
    // The object outlives its window until the next About or the unload; the
    // window's picture and font go now.
    m_window = nullptr;
    m_font.reset();
    m_pictureBitmap.reset();
}

LRESULT AboutWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        const HINSTANCE module = GetModuleHandleW(nullptr);
        // A screen reader cannot read the picture's words; its name says them.
        m_picture = CreateWindowExW(0, WC_STATICW, widen(Form::pictureWords().c_str()).c_str(),
                                    WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 0, 0, 0, m_window,
                                    nullptr, module, nullptr);
        cmdOK = CreateWindowExW(0, WC_BUTTONW, widen(Form::aboutOK.caption).c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                                m_window, reinterpret_cast<HMENU>(INT_PTR(Form::aboutOK.id)),
                                module, nullptr);
        // Without its picture and OK there is no About window to show.
        if (!m_picture || !cmdOK)
            return -1;
        const UINT dpi = Dpi::ofWindow(m_window);
        layOut(dpi);
        Dpi::resize(m_window, windowSize(dpi));
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == Form::aboutOK.id && HIWORD(wParam) == BN_CLICKED)
            cmdOK_Click();
        return 0;
    case DM_GETDEFID:
        return focusedButtonAsDefault(m_window);
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            SetFocus(cmdOK);
        return 0;
    case WM_GETDPISCALEDSIZE:
        *reinterpret_cast<SIZE *>(lParam) = windowSize(UINT(wParam));
        return TRUE;
    case WM_DPICHANGED:
        layOut(LOWORD(wParam));
        Dpi::takeSuggestedRect(m_window, lParam);
        return 0;
    default:
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void AboutWindow::layOut(UINT dpi)
{
    FontHandle font = Dpi::messageFont(dpi);
    SendMessageW(cmdOK, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    m_font = std::move(font);

    const RECT picture = Dpi::fromTwips(Form::aboutPicture, dpi);
    BitmapHandle bitmap = loadPicture(picture.right, picture.bottom);
    SendMessageW(m_picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
    m_pictureBitmap = std::move(bitmap);
    MoveWindow(m_picture, 0, 0, picture.right, picture.bottom, FALSE);

    // OK where the form puts it, with the room its caption needs.
    const Form::Layout layout = CaptionRoom::fit(&Form::aboutOK, 1, Form::about, m_font.get(), dpi);
    const RECT ok = CaptionRoom::placeOf(layout, &Form::aboutOK, 1, 0, dpi);
    MoveWindow(cmdOK, ok.left, ok.top, ok.right - ok.left, ok.bottom - ok.top, FALSE);

    InvalidateRect(m_window, nullptr, TRUE);
}

SIZE AboutWindow::windowSize(UINT dpi) const
{
    const FontHandle font = Dpi::messageFont(dpi);
    const Form::Layout layout = CaptionRoom::fit(&Form::aboutOK, 1, Form::about, font.get(), dpi);
    return Dpi::windowSize(CaptionRoom::sized(Form::about, layout), windowStyle, windowExStyle,
                           false, dpi);
}

void AboutWindow::cmdOK_Click()
{
    ShowWindow(m_window, SW_HIDE);
}
