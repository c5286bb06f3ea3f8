#include "text.h"

std::wstring widen(const char *utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(std::size_t(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
    wide.pop_back(); // the terminating null
    return wide;
}

std::wstring systemWords(DWORD error, const std::wstring &name)
{
    wchar_t *words = nullptr;
    const DWORD length
            = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                     | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<wchar_t *>(&words), 0, nullptr);
    std::wstring text(words ? words : L"", length);
    LocalFree(words);
    for (std::size_t at = text.find(L"%1"); at != std::wstring::npos;
         at = text.find(L"%1", at + name.size()))
        text.replace(at, 2, name);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}
