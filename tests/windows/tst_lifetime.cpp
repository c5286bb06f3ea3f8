// The Windows program's start: where its DLLs come from, and what it does
// when its window cannot be made.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctesttext.h"

#include "lifetime.h"
#include "systemcalls.h"
#include "windriver.h"

#include <string>

namespace {

std::wstring folderOf(HMODULE module)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring systemFolder()
{
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return folder;
}

// As on a Windows whose loader does not know LOAD_LIBRARY_SEARCH_SYSTEM32.
HMODULE refusingLoader(const wchar_t *)
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

// Ends a message loop that nothing else ends, so that a program that does
// not end fails the test rather than hanging it.
struct Deadline
{
    static constexpr int status = 99;
    const UINT_PTR timer = SetTimer(nullptr, 0, 15000,
                                    [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(status); });
    ~Deadline() { KillTimer(nullptr, timer); }
};

bool isLauncherOrItsControl(const CREATESTRUCTW &window)
{
    return WinDriver::classOf(window) == L"CorvaneLauncher"
            || WinDriver::parentClassOf(window) == L"CorvaneLauncher";
}

} // namespace

TEST_CASE("DLLs come from the system's folder, by full path where the loader refuses the flag")
{
    for (const wchar_t *dll : {L"comdlg32.dll", L"ole32.dll"}) {
        CAPTURE(std::wstring(dll));
        const HMODULE module = SystemCalls::loadSystemDll(dll, refusingLoader);
        REQUIRE(module);
        CHECK(folderOf(module) == systemFolder());
    }
    // A loader that fails for another reason is not second-guessed.
    CHECK(SystemCalls::loadSystemDll(L"no-such-corvane.dll") == nullptr);
}

TEST_CASE("Once the program has started, a DLL beside it is not found by its bare name")
{
    // The test's own folder holds planted.dll, as a download folder might;
    // without the restriction, a bare name is looked for there first.
    const std::wstring beside = folderOf(nullptr) + L"\\planted.dll";
    REQUIRE(GetFileAttributesW(beside.c_str()) != INVALID_FILE_ATTRIBUTES);

    // The launcher is closed as soon as it shows.
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        if (const HWND launcher = FindWindowW(L"CorvaneLauncher", nullptr))
            PostMessageW(launcher, WM_CLOSE, 0, 0);
    });
    const Deadline deadline;
    CHECK(runProgram(SW_SHOWNORMAL) == 0);
    KillTimer(nullptr, timer);
    CHECK(LoadLibraryW(L"planted.dll") == nullptr);
}

TEST_CASE("A launcher window that cannot be made is said so, and the program ends with status 1")
{
    // Refused outright, or with its controls, when it is half made.
    for (bool controlsOnly : {false, true}) {
        CAPTURE(controlsOnly);
        const WinDriver::RefuseCreation refuse([controlsOnly](const CREATESTRUCTW &window) {
            return controlsOnly ? WinDriver::parentClassOf(window) == L"CorvaneLauncher"
                                : isLauncherOrItsControl(window);
        });
        const WinDriver::MessageBoxAnswerer boxes;
        const Deadline deadline;
        CHECK(runProgram(SW_SHOWNORMAL) == 1);
        CHECK(refuse.refused() >= 1);
        REQUIRE(boxes.seen().size() == 1);
        CHECK(boxes.seen()[0].title == L"Corvane");
        CHECK(boxes.seen()[0].text == L"Corvane could not open its window.");
        CHECK(FindWindowW(L"CorvaneLauncher", nullptr) == nullptr);
    }
}
