// The About window on Windows: its life beside the launcher, and its picture.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctesttext.h"

#include "handles.h"
#include "shownlauncher.h"
#include "windriver.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <map>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

using namespace Form;

using Launcher = ShownLauncher;

// The twips of the window and its parts, in pixels at 96, 144 and 192 dpi.
struct Places
{
    SIZE client;
    POINT ok;
    int pictureHeight;
};
const std::map<UINT, Places> layouts = {{96, {{370, 267}, {112, 240}, 239}},
                                        {144, {{555, 401}, {168, 360}, 359}},
                                        {192, {{740, 534}, {224, 480}, 478}}};

SIZE clientSize(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// Leaves the colours of 32-bit BGRX pixels, the unused fourth byte cleared.
std::vector<BYTE> colours(std::vector<BYTE> pixels)
{
    for (size_t at = 3; at < pixels.size(); at += 4)
        pixels[at] = 0;
    return pixels;
}

// The pixels of a PNG file, as 32-bit BGRX rows.
std::vector<BYTE> pngPixels(const wchar_t *path, UINT *width, UINT *height)
{
    std::string bytes = WinDriver::contentsOf(path);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    std::vector<BYTE> pixels;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory)))
        && SUCCEEDED(factory->CreateStream(&stream))
        && SUCCEEDED(stream->InitializeFromMemory(reinterpret_cast<BYTE *>(bytes.data()),
                                                  DWORD(bytes.size())))
        && SUCCEEDED(factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                      WICDecodeMetadataCacheOnDemand, &decoder))
        && SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(width, height))
        && SUCCEEDED(factory->CreateFormatConverter(&converter))
        && SUCCEEDED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR,
                                           WICBitmapDitherTypeNone, nullptr, 0,
                                           WICBitmapPaletteTypeCustom))) {
        pixels.resize(size_t(*width) * *height * 4);
        converter->CopyPixels(nullptr, *width * 4, UINT(pixels.size()), pixels.data());
    }
    return colours(pixels);
}

// What the window shows at the top-left, as 32-bit BGRX rows.
std::vector<BYTE> shownPixels(HWND window, int width, int height)
{
    const WindowDC screen(window);
    const HDC memory = CreateCompatibleDC(screen.get());
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    const BitmapHandle bitmap(
            CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<BYTE> pixels;
    {
        const SelectedObject selected(memory, bitmap.get());
        BitBlt(memory, 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
        pixels.assign(static_cast<BYTE *>(bits), static_cast<BYTE *>(bits) + width * height * 4);
    }
    DeleteDC(memory);
    return colours(pixels);
}

} // namespace

TEST_CASE("Help, About shows the picture, its words for screen readers, and OK")
{
    Launcher launcher;
    CHECK(aboutWindow() == nullptr); // not made at start
    const HWND about = launcher.openAbout();
    REQUIRE(about);
    const UINT dpi = GetDpiForWindow(about);
    REQUIRE(dpi == WinDriver::expectedDpi());
    REQUIRE(layouts.count(dpi) == 1);
    const Places &expected = layouts.at(dpi);
    CHECK(WinDriver::textOf(about) == L"About Corvane");
    const SIZE client = clientSize(about);
    CHECK(client.cx == expected.client.cx);
    CHECK(client.cy == expected.client.cy);
    CHECK(SendMessageW(about, WM_GETICON, ICON_SMALL2, 0) == 0); // no icon of its own
    CHECK(GetWindow(about, GW_OWNER) == launcher.handle());

    const HWND ok = GetDlgItem(about, cmdOK);
    CHECK(WinDriver::textOf(ok) == L"OK");
    RECT rect;
    GetWindowRect(ok, &rect);
    MapWindowPoints(nullptr, about, reinterpret_cast<POINT *>(&rect), 2);
    CHECK(rect.left == expected.ok.x);
    CHECK(rect.top == expected.ok.y);
    CHECK(GetFocus() == ok);

    // The picture spans the client width above the button, named by its words.
    const HWND picture = GetWindow(about, GW_CHILD);
    GetWindowRect(picture, &rect);
    MapWindowPoints(nullptr, about, reinterpret_cast<POINT *>(&rect), 2);
    CHECK(rect.left == 0);
    CHECK(rect.top == 0);
    CHECK(rect.right == client.cx);
    CHECK(rect.bottom == expected.pictureHeight);
    CHECK(WinDriver::accessibleOf(picture).name
          == L"Corvane, version 1.00.0002. A simple front end for Ruxa. Corvane Labs.");

    // At scale 1 and 2 it is the artwork pixel for pixel.
    if (dpi == 96 || dpi == 192) {
        UINT width = 0, height = 0;
        const std::vector<BYTE> artwork
                = pngPixels(dpi == 96 ? CORVANE_RESOURCES_DIR L"/about.png"
                                      : CORVANE_RESOURCES_DIR L"/about@2x.png",
                            &width, &height);
        CHECK(width == UINT(rect.right));
        CHECK(height == UINT(rect.bottom));
        CHECK(shownPixels(about, int(width), int(height)) == artwork);
    }
}

TEST_CASE("At 13 points, OK shows its caption whole and the picture stays as it is")
{
    const WinDriver::MessageFontSize larger(13);
    Launcher launcher;
    const HWND about = launcher.openAbout();
    REQUIRE(about);
    const std::string fault = WinDriver::captionsFault(about);
    CAPTURE(fault);
    CHECK(fault.empty());
    RECT rect;
    GetWindowRect(GetWindow(about, GW_CHILD), &rect);
    CHECK(rect.bottom - rect.top == layouts.at(GetDpiForWindow(about)).pictureHeight);
}

TEST_CASE("OK hides About; About shows the same window where it was")
{
    Launcher launcher;
    const HWND about = launcher.openAbout();
    REQUIRE(about);
    SetWindowPos(about, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(GetDlgItem(about, cmdOK), BM_CLICK, 0, 0);
    CHECK_FALSE(IsWindowVisible(about));
    CHECK(IsWindow(about));

    CHECK(launcher.openAbout() == about);
    RECT where;
    GetWindowRect(about, &where);
    CHECK(where.left == 123);
    CHECK(where.top == 77);
    // About while it shows leaves it shown, the same window.
    CHECK(launcher.openAbout() == about);
}

TEST_CASE("The launcher works while About shows")
{
    Launcher launcher;
    REQUIRE(launcher.openAbout());
    SendMessageW(launcher.control(cmdPreview), BM_CLICK, 0, 0);
    CHECK(WinDriver::textOf(launcher.control(txtCommand)) == L"*.exe *.vb");
    const WinDriver::MessageBoxAnswerer boxes;
    SendMessageW(launcher.control(cmdRun), BM_CLICK, 0, 0);
    CHECK(boxes.seen().size() == 1);
    CHECK(IsWindowVisible(aboutWindow()));
}

TEST_CASE("The close box destroys About; the next About is a fresh one")
{
    Launcher launcher;
    const HWND first = launcher.openAbout();
    REQUIRE(first);
    SendMessageW(first, WM_SYSCOMMAND, SC_CLOSE, 0);
    CHECK_FALSE(IsWindow(first));
    const HWND second = launcher.openAbout();
    REQUIRE(second);
    CHECK(IsWindowVisible(second));
}

TEST_CASE("Logging off unloads About, as the launcher's unload does")
{
    Launcher launcher;
    const HWND about = launcher.openAbout();
    REQUIRE(about);
    SendMessageW(launcher.handle(), WM_ENDSESSION, TRUE, 0);
    CHECK_FALSE(IsWindow(about));
}

TEST_CASE("Closing the launcher removes About, shown or hidden")
{
    for (bool hideFirst : {false, true}) {
        CAPTURE(hideFirst);
        Launcher launcher;
        const HWND about = launcher.openAbout();
        REQUIRE(about);
        if (hideFirst)
            SendMessageW(GetDlgItem(about, cmdOK), BM_CLICK, 0, 0);
        SendMessageW(launcher.handle(), WM_CLOSE, 0, 0);
        CHECK_FALSE(IsWindow(about));
        CHECK_FALSE(IsWindow(launcher.handle()));
        WinDriver::settle(50); // the quit message the close posts
    }
}

TEST_CASE(
        "An About window that cannot be made leaves the launcher working; the next is made afresh")
{
    // Refused outright, or once it has begun and its picture and OK cannot.
    for (bool childrenOnly : {false, true}) {
        CAPTURE(childrenOnly);
        Launcher launcher;
        const int faults = WinDriver::faults();
        {
            const WinDriver::RefuseCreation refuse([childrenOnly](const CREATESTRUCTW &window) {
                return childrenOnly ? WinDriver::parentClassOf(window) == L"CorvaneAbout"
                                    : WinDriver::classOf(window) == L"CorvaneAbout";
            });
            SendMessageW(launcher.handle(), WM_COMMAND, mnuHelpAbout, 0);
            CHECK(refuse.refused() >= 1);
            CHECK(aboutWindow() == nullptr);
        }
        CHECK(WinDriver::faults() == faults);
        SendMessageW(launcher.control(cmdPreview), BM_CLICK, 0, 0);
        CHECK(launcher.text(txtCommand) == L"*.exe *.vb");
        const HWND about = launcher.openAbout();
        REQUIRE(about);
        CHECK(GetDlgItem(about, cmdOK) != nullptr);
    }
}

TEST_CASE("A new DPI: About gives its size for it, then takes the suggested rectangle")
{
    // The client area at each DPI, from the twips: 5550 x 4005.
    const std::pair<UINT, SIZE> clients[]
            = {{120, {463, 334}}, {144, {555, 401}}, {192, {740, 534}}};
    Launcher launcher;
    const HWND about = launcher.openAbout();
    REQUIRE(about);
    const DWORD style = DWORD(GetWindowLongW(about, GWL_STYLE));
    const DWORD exStyle = DWORD(GetWindowLongW(about, GWL_EXSTYLE));
    for (const auto &[dpi, client] : clients) {
        CAPTURE(dpi);
        SIZE answered = {};
        REQUIRE(SendMessageW(about, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&answered)));
        RECT expected = {0, 0, client.cx, client.cy};
        AdjustWindowRectExForDpi(&expected, style, FALSE, exStyle, dpi);
        CHECK(answered.cx == expected.right - expected.left);
        CHECK(answered.cy == expected.bottom - expected.top);

        RECT suggested = {31, 47, 31 + answered.cx, 47 + answered.cy};
        SendMessageW(about, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT window;
        GetWindowRect(about, &window);
        CHECK(EqualRect(&window, &suggested));
    }
}
