#pragma once

#include <QIcon>

// The program's icon at 16, 32, 48 and 64 pixels.
QIcon programIcon();
