#pragma once

#include <string>

// Windows takes text as UTF-16; the form and the identity are written in
// UTF-8 and converted here, as the windows are made.
std::wstring widen(const char *utf8);
