#include "captionroom.h"

#include "dpi.h"
#include "handles.h"
#include "text.h"

#include <algorithm>
#include <vector>

namespace {

// Pixels at dpi as twips, rounded up so that the pixels come back whole.
int toTwips(int pixels, UINT dpi)
{
    return (pixels * Form::twipsPerInch + int(dpi) - 1) / int(dpi);
}

} // namespace

namespace CaptionRoom {

std::wstring shown(const char *caption)
{
    std::wstring text = widen(caption);
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    return text;
}

Form::Layout fit(const Form::Control *controls, std::size_t count, const Form::Window &window,
                 HFONT font, UINT dpi)
{
    const WindowDC screen(nullptr);
    const SelectedObject selected(screen.get(), font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(screen.get(), &metrics);
    const int line = metrics.tmHeight;
    auto scaled = [dpi](int pixels) { return MulDiv(pixels, int(dpi), int(Dpi::standard)); };

    std::vector<Form::Need> needs(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::wstring text = shown(controls[i].caption);
        SIZE extent = {};
        GetTextExtentPoint32W(screen.get(), text.c_str(), int(text.size()), &extent);
        SIZE need = {};
        switch (controls[i].kind) {
        case Form::Frame:
            need = {0, line};
            break;
        case Form::Button:
            // Its raised edge and the focus rectangle, round the caption.
            need = {extent.cx + scaled(12), line + scaled(6)};
            break;
        case Form::CheckBox:
            // The box, the gap after it and the focus rectangle round the caption.
            need = {scaled(13 + 6 + 2) + extent.cx, std::max(line + scaled(2), scaled(13))};
            break;
        case Form::Field:
            // Its sunken edge and a pixel of margin, round a line.
            need = {0, line + scaled(6)};
            break;
        }
        needs[i] = {toTwips(need.cx, dpi), toTwips(need.cy, dpi)};
    }
    return Form::fitCaptions(controls, count, window, needs);
}

RECT placeOf(const Form::Layout &layout, const Form::Control *controls, std::size_t count,
             std::size_t index, UINT dpi)
{
    Form::Rect place = layout.places[index];
    if (const Form::Id frame = controls[index].frame)
        for (std::size_t i = 0; i < count; ++i)
            if (controls[i].id == frame) {
                place.left += layout.places[i].left;
                place.top += layout.places[i].top;
            }
    return Dpi::fromTwips(place, dpi);
}

Form::Window sized(const Form::Window &window, const Form::Layout &layout)
{
    Form::Window result = window;
    result.clientWidth = layout.clientWidth;
    result.clientHeight = layout.clientHeight;
    return result;
}

} // namespace CaptionRoom
