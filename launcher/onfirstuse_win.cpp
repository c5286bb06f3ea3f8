#include "onfirstuse_win.h"

namespace {

// The function name from dll, loaded once; null where it cannot be had.
template<typename Function>
Function *lookUp(const wchar_t *dll, const char *name)
{
    const HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module
            ? reinterpret_cast<Function *>(reinterpret_cast<void *>(GetProcAddress(module, name)))
            : nullptr;
}

} // namespace

namespace OnFirstUse {

BOOL getOpenFileName(OPENFILENAMEW *dialog)
{
    static const auto function
            = lookUp<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    return function ? function(dialog) : FALSE;
}

HRESULT coInitializeEx(void *reserved, DWORD flags)
{
    static const auto function = lookUp<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    return function ? function(reserved, flags) : E_NOTIMPL;
}

void coUninitialize()
{
    static const auto function = lookUp<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize");
    if (function)
        function();
}

HRESULT coCreateInstance(REFCLSID type, IUnknown *outer, DWORD context, REFIID iid, void **object)
{
    static const auto function
            = lookUp<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    return function ? function(type, outer, context, iid, object) : E_NOTIMPL;
}

} // namespace OnFirstUse
