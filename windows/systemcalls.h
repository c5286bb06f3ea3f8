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
            m_lookedUp = true;
        }
        return m_function;
    }

    const wchar_t *m_dll;
    const char *m_name;
    mutable Function *m_function = nullptr;
    mutable bool m_lookedUp = false;
};

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
