// Both selectors on Windows, through the system's own open-file dialog.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctesttext.h"

#include "commondialog.h"
#include "shownlauncher.h"
#include "text.h"
#include "windriver.h"

#include <cstdlib>
#include <string>
#include <vector>

using WinDriver::Action;

namespace {

using namespace Form;

// The launcher with a folder of files to choose from.
struct Launcher : ShownLauncher
{
    WinDriver::TemporaryFolder folder;

    const Text &flag(Id button) const
    {
        return button == cmdExecute ? window.logic().exeSelected() : window.logic().romSelected();
    }
};

} // namespace

TEST_CASE("Each dialog shows its title, its files' description and the wildcard")
{
    struct Row
    {
        Id button;
        const wchar_t *title, *filter, *wildcard;
    };
    const Row rows[] = {
            {cmdExecute, L"Select Ruxa Executable", L"VirtualBoy Executable", L"*.exe"},
            {cmdROM, L"Select Ruxa Rom Image", L"VirtualBoy ROM Images", L"*.vb"},
    };
    for (const Row &row : rows) {
        CAPTURE(row.button);
        Launcher launcher;
        std::wstring title, filter, name;
        HWND owner = nullptr;
        bool openOnWildcard = false;
        CHECK(WinDriver::clickAndDrive(launcher.control(row.button), Action::Cancel, {},
                                       [&](const WinDriver::ShownDialog &dialog) {
                                           title = dialog.title();
                                           filter = dialog.filter();
                                           name = dialog.nameShown();
                                           owner = GetWindow(dialog.dialog, GW_OWNER);
                                           // Enter on the wildcard chooses nothing.
                                           openOnWildcard = dialog.enterKeepsItOpen();
                                       }));
        CHECK(title == row.title);
        CHECK(filter == row.filter);
        CHECK(name == row.wildcard);
        CHECK(owner == launcher.handle());
        CHECK(openOnWildcard);
        CHECK(launcher.flag(row.button) == L"False");
    }
}

TEST_CASE("What each dialog is handed: title, filter, wildcard, default extension, owner, flags")
{
    using namespace std::string_literals;
    struct Row
    {
        LaunchHost::Selector which;
        std::wstring title, filter, wildcard, extension;
    };
    const Row rows[] = {
            {LaunchHost::Selector::Executable, L"Select Ruxa Executable",
             L"VirtualBoy Executable\0*.exe\0\0"s, L"*.exe", L"exe"},
            {LaunchHost::Selector::Rom, L"Select Ruxa Rom Image",
             L"VirtualBoy ROM Images\0*.vb\0\0"s, L"*.vb", L"vb"},
    };
    Launcher launcher;
    for (const Row &row : rows) {
        CAPTURE(row.title);
        const CommonDialog dialog(Form::selector(row.which));
        CommonDialog::Request request(dialog, launcher.handle());
        const OPENFILENAMEW &handed = request.dialog();
        CHECK(handed.lStructSize == sizeof handed);
        CHECK(handed.hwndOwner == launcher.handle());
        CHECK(std::wstring(handed.lpstrTitle) == row.title);
        CHECK(std::wstring(handed.lpstrFilter, row.filter.size()) == row.filter);
        CHECK(handed.nFilterIndex == 1);
        CHECK(request.fileName() == row.wildcard);
        CHECK(handed.nMaxFile >= 32768);
        CHECK(std::wstring(handed.lpstrDefExt) == row.extension);
        // A file that exists; the working folder and the recent documents alone.
        CHECK(handed.Flags
              == (OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST
                  | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT));
    }
}

TEST_CASE("Choosing a file shows its path and sets only that selector's flag")
{
    struct Row
    {
        Id button, field, other;
        const wchar_t *file;
        Action action;
        const wchar_t *expected;
    };
    std::vector<Row> rows = {
            {cmdExecute, txtExecute, cmdROM, L"ruxa.exe", Action::TypeName, L"ruxa.exe"},
            {cmdExecute, txtExecute, cmdROM, L"ruxa.exe", Action::SelectFile, L"ruxa.exe"},
            {cmdROM, txtROM, cmdExecute, L"Mario Clash.vb", Action::TypeName, L"Mario Clash.vb"},
            {cmdROM, txtROM, cmdExecute, L"Mario Clash.vb", Action::SelectFile, L"Mario Clash.vb"},
    };
    // Wine's dialog reports a name typed without its extension as missing;
    // Windows' adds the default extension.
    if (!WinDriver::onWine())
        rows.push_back(
                {cmdROM, txtROM, cmdExecute, L"Mario Clash", Action::TypeName, L"Mario Clash.vb"});
    for (const Row &row : rows) {
        CAPTURE(row.file);
        Launcher launcher;
        REQUIRE(launcher.folder.make(L"ruxa.exe"));
        REQUIRE(launcher.folder.make(L"Mario Clash.vb"));
        wchar_t before[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, before);

        CHECK(WinDriver::clickAndDrive(launcher.control(row.button), row.action,
                                       launcher.folder.file(row.file)));
        CHECK(launcher.text(row.field) == launcher.folder.file(row.expected));
        CHECK(launcher.flag(row.button) == L"True");
        CHECK(launcher.flag(row.other) == L"False");
        // The dialog leaves the working folder where it was.
        wchar_t after[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, after);
        CHECK(std::wstring(after) == before);
    }
}

TEST_CASE("A cancel changes nothing; a second choice replaces the first")
{
    Launcher launcher;
    CHECK(WinDriver::clickAndDrive(launcher.control(cmdExecute), Action::Cancel));
    CHECK(WinDriver::clickAndDrive(launcher.control(cmdROM), Action::Cancel));
    CHECK(launcher.text(txtExecute) == L"<none selected>");
    CHECK(launcher.text(txtROM) == L"<none selected>");
    CHECK(launcher.flag(cmdExecute) == L"False");
    CHECK(launcher.flag(cmdROM) == L"False");
    SendMessageW(launcher.control(cmdPreview), BM_CLICK, 0, 0);
    CHECK(launcher.text(txtCommand) == L"*.exe *.vb");

    REQUIRE(launcher.folder.make(L"first.vb"));
    REQUIRE(launcher.folder.make(L"second.vb"));
    CHECK(WinDriver::clickAndDrive(launcher.control(cmdROM), Action::TypeName,
                                   launcher.folder.file(L"first.vb")));
    CHECK(WinDriver::clickAndDrive(launcher.control(cmdROM), Action::Cancel));
    CHECK(launcher.text(txtROM) == launcher.folder.file(L"first.vb"));
    CHECK(WinDriver::clickAndDrive(launcher.control(cmdROM), Action::TypeName,
                                   launcher.folder.file(L"second.vb")));
    CHECK(launcher.text(txtROM) == launcher.folder.file(L"second.vb"));
    CHECK(launcher.flag(cmdROM) == L"True");
    SendMessageW(launcher.control(cmdPreview), BM_CLICK, 0, 0);
    CHECK(launcher.text(txtCommand) == L"*.exe " + launcher.folder.file(L"second.vb"));
}

TEST_CASE("The dialogs list ROM images in any case, and programs only")
{
    struct Row
    {
        Id button;
        std::vector<std::wstring> files, listed;
    };
    const Row rows[] = {
            {cmdROM,
             {L"a.vb", L"B.VB", L"c.Vb", L"notes.txt", L"d.vbx"},
             {L"B.VB", L"a.vb", L"c.Vb"}},
            {cmdExecute,
             {L"ruxa.exe", L"ruxa-sdl.exe", L"notes.txt"},
             {L"ruxa-sdl.exe", L"ruxa.exe"}},
    };
    for (const Row &row : rows) {
        CAPTURE(row.button);
        Launcher launcher;
        for (const std::wstring &name : row.files)
            REQUIRE(launcher.folder.make(name));
        std::vector<std::wstring> listed;
        CHECK(WinDriver::clickAndDrive(launcher.control(row.button), Action::Cancel, {},
                                       [&](const WinDriver::ShownDialog &dialog) {
                                           listed = dialog.listingOf(launcher.folder.path(),
                                                                     row.listed);
                                       }));
        CHECK(listed == row.listed);
    }
}

// Run on its own with Wine told to load no comdlg32.dll (CMakeLists.txt).
TEST_CASE("Where the system's dialog cannot be had, Select says why and changes nothing"
          * doctest::skip(!std::getenv("CORVANE_WITHOUT_COMDLG32")))
{
    Launcher launcher;
    const WinDriver::MessageBoxAnswerer boxes;
    for (Id button : {cmdExecute, cmdROM}) {
        CAPTURE(button);
        SendMessageW(launcher.control(button), BM_CLICK, 0, 0);
        CHECK(launcher.flag(button) == L"False");
    }
    const std::wstring why = systemWords(ERROR_MOD_NOT_FOUND);
    REQUIRE(boxes.seen().size() == 2);
    CHECK(!why.empty());
    CHECK(boxes.seen()[0].title == L"Corvane");
    CHECK(boxes.seen()[0].text == L"Could not show \"Select Ruxa Executable\":\n" + why);
    CHECK(boxes.seen()[1].text == L"Could not show \"Select Ruxa Rom Image\":\n" + why);
    CHECK(launcher.text(txtExecute) == L"<none selected>");
    CHECK(launcher.text(txtROM) == L"<none selected>");
}
