#pragma once

#include <QString>

class QWidget;

// Whether every caption in the window shows whole, as its style lays it out:
// each frame's caption inside its frame, clear of the controls inside, and on
// the screen exactly as the caption drawn alone (nothing drawn over it, no
// part cut off); each button's and check box's caption inside the room its
// style leaves for it; no two controls over each other. Returns what is
// wrong, or an empty string.
QString captionsFault(QWidget *window);
