// What Corvane.exe itself carries: its version block, its icon group, the
// About pictures and its manifest, as Windows reads them from the program.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctesttext.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

const wchar_t program[] = CORVANE_EXE_PATH;

std::string resourceBytes(HMODULE module, int name, const wchar_t *type)
{
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(name), type);
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (!loaded)
        return {};
    return std::string(static_cast<const char *>(LockResource(loaded)),
                       SizeofResource(module, found));
}

} // namespace

TEST_CASE("The version block names the program and its version")
{
    std::vector<BYTE> block(GetFileVersionInfoSizeW(program, nullptr));
    REQUIRE(!block.empty());
    REQUIRE(GetFileVersionInfoW(program, 0, DWORD(block.size()), block.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    REQUIRE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void **>(&fixed), &length));
    CHECK(fixed->dwFileVersionMS == 0x00010000u);
    CHECK(fixed->dwFileVersionLS == 0x00000002u);
    CHECK(fixed->dwProductVersionMS == 0x00010000u);
    CHECK(fixed->dwProductVersionLS == 0x00000002u);
    CHECK(fixed->dwFileOS == 4u);
    CHECK(fixed->dwFileType == 1u);

    const std::pair<const wchar_t *, const wchar_t *> strings[]
            = {{L"Comments", L"A simple front end for Ruxa."},
               {L"CompanyName", L"Corvane Labs"},
               {L"ProductName", L"Corvane"},
               {L"FileVersion", L"1.00.0002"},
               {L"ProductVersion", L"1.00.0002"},
               {L"InternalName", L"Corvane"},
               {L"OriginalFilename", L"Corvane.exe"}};
    for (const auto &[key, value] : strings) {
        CAPTURE(std::string(key, key + wcslen(key)));
        wchar_t *text = nullptr;
        REQUIRE(VerQueryValueW(block.data(),
                               (std::wstring(L"\\StringFileInfo\\040904B0\\") + key).c_str(),
                               reinterpret_cast<void **>(&text), &length));
        CHECK(std::wstring(text) == value);
    }
}

TEST_CASE("The icon group, the About pictures and the manifest are in the program")
{
    const HMODULE module = LoadLibraryExW(
            program, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    REQUIRE(module);

    // Icon group 1: four 24-bit images, 16 to 64 pixels, numbered 30001 on.
    const std::string group = resourceBytes(module, 1, RT_GROUP_ICON);
    REQUIRE(group.size() == 6 + 4 * 14);
    for (int i = 0; i < 4; ++i) {
        CAPTURE(i);
        const char *entry = group.data() + 6 + 14 * i;
        CHECK(int(BYTE(entry[0])) == 16 * (i + 1));
        CHECK(*reinterpret_cast<const WORD *>(entry + 6) == 24);
        const WORD image = *reinterpret_cast<const WORD *>(entry + 12);
        CHECK(image == 30001 + i);
        CHECK(!resourceBytes(module, image, RT_ICON).empty());
    }

    for (int picture : {2001, 2002})
        CHECK(resourceBytes(module, picture, RT_RCDATA).rfind("\x89PNG\r\n\x1a\n", 0) == 0);

    const std::string manifest = resourceBytes(module, 1, RT_MANIFEST);
    for (const char *setting :
         {"level=\"asInvoker\"", ">PerMonitorV2, PerMonitor<", ">true</longPathAware>",
          "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "{e2011457-1546-43c5-a5fe-008deee3d3f0}"}) {
        CAPTURE(setting);
        CHECK(manifest.find(setting) != std::string::npos);
    }
    FreeLibrary(module);
}
