#include "systemcalls.h"

#include <string>

namespace SystemCalls {

HMODULE searchSystemFolder(const wchar_t *dll)
{
    return LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE loadSystemDll(const wchar_t *dll, Loader first)
{
    if (const HMODULE module = first(dll))
        return module;
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    // A loader that predates the flag takes the DLL by its full path, and
    // looks for what it needs in the same folder first.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + dll;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void *lookUp(const wchar_t *dll, const char *name)
{
    const HMODULE module = loadSystemDll(dll);
    return module ? reinterpret_cast<void *>(GetProcAddress(module, name)) : nullptr;
}

void restrictDllSearch()
{
    if (setDefaultDllDirectories && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // Without the loader update, at least the working folder leaves the search.
    SetDllDirectoryW(L"");
}

} // namespace SystemCalls
