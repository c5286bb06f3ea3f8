#pragma once

#include "form.h"

#include <QRect>

// The windows are described in twips; Qt lays out in pixels at 96 dots per
// inch, fifteen twips to a pixel, and scales those for the screen itself.
inline int fromTwips(int twips)
{
    return twips * 96 / Form::twipsPerInch;
}

inline QRect fromTwips(const Form::Rect &rect)
{
    return QRect(fromTwips(rect.left), fromTwips(rect.top), fromTwips(rect.width),
                 fromTwips(rect.height));
}

inline QSize clientSize(const Form::Window &window)
{
    return QSize(fromTwips(window.clientWidth), fromTwips(window.clientHeight));
}

// Pixels as twips, for what a caption needs.
inline int toTwips(int pixels)
{
    return pixels * Form::twipsPerInch / 96;
}
