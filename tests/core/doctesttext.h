#pragma once

// doctest, with Text (UTF-16 on Windows) readable in its failure messages.
// The tests run on one thread, and MinGW's win32 threads have no std::mutex.
#ifndef DOCTEST_CONFIG_NO_MULTITHREADING
#define DOCTEST_CONFIG_NO_MULTITHREADING
#endif
#include <doctest.h>

#include <cstdio>
#include <string>

namespace doctest {
template<>
struct StringMaker<std::wstring>
{
    static String convert(const std::wstring &text)
    {
        std::string shown = "L\"";
        for (wchar_t unit : text) {
            if (unit >= 0x20 && unit < 0x7f) {
                shown += char(unit);
            } else {
                char escaped[12];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(unit));
                shown += escaped;
            }
        }
        return (shown + '"').c_str();
    }
};
} // namespace doctest
