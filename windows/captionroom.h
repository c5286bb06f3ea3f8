#pragma once

#include "form.h"

#include <windows.h>

#include <cstddef>
#include <string>

// The room captions need in the system's message font at a DPI (see
// Form::Need), measured as Windows draws them: a frame's caption is a line
// of text at the frame's top; a button's sits inside its raised edge, a
// check box's beside its box, a field's line inside its sunken edge.
namespace CaptionRoom {

// A caption as drawn: its access key's ampersand left out.
std::wstring shown(const char *caption);

// The places of controls in font at dpi, each with the room its caption
// needs.
Form::Layout fit(const Form::Control *controls, std::size_t count, const Form::Window &window,
                 HFONT font, UINT dpi);

// Where the control at index sits in the client area, in pixels at dpi: a
// control in a frame counts from its frame's corner.
RECT placeOf(const Form::Layout &layout, const Form::Control *controls, std::size_t count,
             std::size_t index, UINT dpi);

// The form's window with the client size layout gives it.
Form::Window sized(const Form::Window &window, const Form::Layout &layout);

} // namespace CaptionRoom
