// Real program starts on Windows: a recorder stands in for the emulator and
// writes down what it was given; programs that cannot start are named with
// the system's reason.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctesttext.h"

#include "programstart.h"
#include "windriver.h"

#include <sstream>
#include <vector>

namespace {

// The lines the recorder wrote, once it has written them all.
std::vector<std::string> recordOf(const std::wstring &path)
{
    std::vector<std::string> lines;
    WinDriver::waitFor(
            [&] {
                lines.clear();
                std::istringstream record(WinDriver::contentsOf(path));
                for (std::string line; std::getline(record, line);)
                    lines.push_back(line);
                return lines.size() >= 5;
            },
            20000);
    return lines;
}

std::string utf8(const std::wstring &text)
{
    std::string bytes(
            size_t(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)),
            '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), int(bytes.size()), nullptr,
                        nullptr);
    bytes.pop_back();
    return bytes;
}

std::wstring systemWords(DWORD error)
{
    wchar_t *words = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                           | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t *>(&words), 0, nullptr);
    std::wstring text = words ? words : L"";
    LocalFree(words);
    return text;
}

} // namespace

TEST_CASE("The ROM path arrives as one argument, byte for byte, in a normal window, with the "
          "launcher's environment")
{
    const wchar_t *names[]
            = {L"Mario Clash  (USA).vb", L"Tom & Jerry.vb", L"%PATH% 100%.vb", L"a^b!c!.vb",
               L"Wario [v1.1] (J).vb", L"-h.vb", L"T\u00e9l\u00e9 3D \u30ef\u30ea\u30aa.vb",
               L"\U0001d54d\U0001f3ae.vb",
               // A folder's path, ending in the backslash that would escape a quote.
               L"Red Alarm\\"};
    // A handle the recorder must not be given, though it may be inherited.
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    const HANDLE event = CreateEventW(&inheritable, TRUE, FALSE, nullptr);
    SetEnvironmentVariableW(L"WINRECORDER_HANDLE",
                            std::to_wstring(reinterpret_cast<UINT_PTR>(event)).c_str());
    SetEnvironmentVariableW(L"WINRECORDER_GIVEN", L"as given \u00e9");

    for (const wchar_t *name : names) {
        CAPTURE(utf8(name));
        WinDriver::TemporaryFolder folder;
        const std::wstring rom = folder.file(name);
        const std::wstring record = folder.file(L"record.txt");
        SetEnvironmentVariableW(L"WINRECORDER_FILE", record.c_str());

        Text reason;
        REQUIRE(startDetachedProgram(WINRECORDER_PATH, rom, &reason));
        const std::vector<std::string> lines = recordOf(record);
        REQUIRE(lines.size() == 5);
        CHECK(lines[0] == "1");
        CHECK(lines[1] == utf8(rom));
        // Shown normally and given the focus: the window style is asked for.
        std::istringstream shown(lines[2]);
        std::string flags, show;
        shown >> flags >> show;
        CHECK((std::stoul(flags.substr(6)) & STARTF_USESHOWWINDOW) != 0);
        CHECK(show == "show=" + std::to_string(SW_SHOWNORMAL));
        CHECK(lines[3] == "inherited=0");
        CHECK(lines[4] == "given=as given \xc3\xa9");
    }
    CloseHandle(event);
}

TEST_CASE("A program that cannot start is reported with the system's reason")
{
    WinDriver::TemporaryFolder folder;
    REQUIRE(CreateDirectoryW(folder.file(L"folder.exe").c_str(), nullptr));
    REQUIRE(folder.make(L"text.exe", "not a program\n"));
    struct Row
    {
        const wchar_t *name;
        DWORD error;
        DWORD errorOnWine;
    };
    const Row rows[] = {{L"missing.exe", ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND},
                        {L"folder.exe", ERROR_ACCESS_DENIED, ERROR_INVALID_HANDLE},
                        {L"text.exe", ERROR_BAD_EXE_FORMAT, ERROR_BAD_EXE_FORMAT}};
    for (const Row &row : rows) {
        CAPTURE(utf8(row.name));
        Text reason;
        CHECK_FALSE(startDetachedProgram(folder.file(row.name), L"game.vb", &reason));
        std::wstring expected = systemWords(WinDriver::onWine() ? row.errorOnWine : row.error);
        const size_t insert = expected.find(L"%1");
        if (insert != std::wstring::npos)
            expected.replace(insert, 2, row.name);
        while (!expected.empty() && (expected.back() == L'\n' || expected.back() == L'\r'))
            expected.pop_back();
        CHECK(!expected.empty());
        CHECK(reason == expected);
    }
}
