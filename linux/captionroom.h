#pragma once

#include "form.h"

#include <QSize>

#include <vector>

class QWidget;

// What a control's caption needs in the font and style it has now, in
// twips (see Form::Need): for a frame, the height its caption reaches from
// the frame's top; for a button, the room its caption takes inside the
// button's edges; for a check box, its box and caption side by side; for a
// field, a line of text inside its frame.
Form::Need captionNeed(const QWidget *control, Form::Kind kind);

// Places the controls as the form describes them, each named by its spec's
// object name among window's children, with the room their captions need;
// returns the client area's size.
QSize placeControls(QWidget *window, const Form::Control *controls, std::size_t count,
                    const Form::Window &spec);
