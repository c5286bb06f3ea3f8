#pragma once

#include <windows.h>

#include <commdlg.h>
#include <objbase.h>

// Functions Corvane looks up at run time, all in one place: those newer than
// the oldest Windows it runs on, which are null there and done without, and
// those of the DLLs that only the dialogs and the About picture need, loaded
// on first use: linked in, they would be loaded at every start, which costs
// more than anything Corvane does there. Every DLL comes from the system's own
// folder, never from beside the program.
namespace SystemCalls {

// Limits the DLLs that the process loads by bare name, the system's dialog, COM
// and the imaging component included, to the system's folder: a downloaded
// program sits among other downloads, any of which could carry a DLL's name.
// Called first thing, before any window or dialog exists.
void restrictDllSearch();

// Loads dll from the system's folder: through the loader's own restriction
// where it takes LOAD_LIBRARY_SEARCH_SYSTEM32, else (Vista, and 7 without its
// 2011 loader update, KB2533623) by the DLL's full path. first is that
// restricted search, as the loader offers it.
using Loader = HMODULE (*)(const wchar_t *dll);
HMODULE searchSystemFolder(const wchar_t *dll);
HMODULE loadSystemDll(const wchar_t *dll, Loader first = searchSystemFolder);

// The address of name in the system's dll, or null where it cannot be had.
void *lookUp(const wchar_t *dll, const char *name);

// A system function, looked up when first called or tested.
template<typename Function>
class Call
{
public:
    constexpr Call(const wchar_t *dll, const char *name)
        : m_dll(dll)
        , m_name(name)
    { }

    // Whether this Windows has it.
    explicit operator bool() const { return function() != nullptr; }
    // Why it cannot be had, as a system error code.
    DWORD lookUpError() const
    {
        function();
        return m_error;
    }

    template<typename... Arguments>
    auto operator()(Arguments... arguments) const
    {
        return function()(arguments...);
    }

private:
    Function *function() const
    {
        if (!m_lookedUp) {
            m_function = reinterpret_cast<Function *>(lookUp(m_dll, m_name));
            m_error = m_function ? 0 : GetLastError();
            m_lookedUp = true;
        }
        return m_function;
    }

    const wchar_t *m_dll;
    const char *m_name;
    mutable Function *m_function = nullptr;
    mutable DWORD m_error = 0;
    mutable bool m_lookedUp = false;
};

// Windows 8, and Vista and 7 with the 2011 loader update.
inline const Call<decltype(SetDefaultDllDirectories)> setDefaultDllDirectories {
        L"kernel32.dll", "SetDefaultDllDirectories"};

// Per-monitor DPI, from Windows 10 1607.
inline const Call<decltype(GetDpiForWindow)> getDpiForWindow {L"user32.dll", "GetDpiForWindow"};
inline const Call<decltype(GetSystemMetricsForDpi)> getSystemMetricsForDpi {
        L"user32.dll", "GetSystemMetricsForDpi"};
inline const Call<decltype(AdjustWindowRectExForDpi)> adjustWindowRectExForDpi {
        L"user32.dll", "AdjustWindowRectExForDpi"};
inline const Call<decltype(SystemParametersInfoForDpi)> systemParametersInfoForDpi {
        L"user32.dll", "SystemParametersInfoForDpi"};

// The open-file dialog, and COM for the About picture's decoder.
inline const Call<decltype(GetOpenFileNameW)> getOpenFileName {L"comdlg32.dll", "GetOpenFileNameW"};
inline const Call<decltype(CommDlgExtendedError)> commDlgExtendedError {L"comdlg32.dll",
                                                                        "CommDlgExtendedError"};
inline const Call<decltype(CoInitializeEx)> coInitializeEx {L"ole32.dll", "CoInitializeEx"};
inline const Call<decltype(CoUninitialize)> coUninitialize {L"ole32.dll", "CoUninitialize"};
inline const Call<decltype(CoCreateInstance)> coCreateInstance {L"ole32.dll", "CoCreateInstance"};

} // namespace SystemCalls
