#pragma once

#include <windows.h>

#include <string>

// Windows takes text as UTF-16; the form and the identity are written in
// UTF-8 and converted here, as the windows are made.
std::wstring widen(const char *utf8);

// The system's words for error, in the user's language, without the line
// break they end in; "%1" in them, where some name a file, becomes name.
std::wstring systemWords(DWORD error, const std::wstring &name = {});
