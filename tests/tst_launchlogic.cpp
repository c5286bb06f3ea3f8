// The launch logic against a fake host, on both platforms.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctesttext.h"

#include "launchhost.h"
#include "launchlogic.h"

#include <vector>

namespace {

Text t(const char *ascii)
{
    return asciiText(ascii);
}

// Records what the logic asks of its window and platform.
class FakeHost : public LaunchHost
{
public:
    Text exeFileName = t("*.exe");
    Text romFileName = t("*.vb");
    Text previewText;
    int checkBox = 0;
    mutable int checkBoxReads = 0;
    std::vector<Text> messages;
    struct Start
    {
        Text program;
        Text argument;
    };
    std::vector<Start> starts;
    Text failWith; // empty: starts succeed
    int endCalls = 0;

    Text selectorFileName(Selector selector) const override
    {
        return selector == Selector::Executable ? exeFileName : romFileName;
    }
    void setPreviewText(const Text &text) override { previewText = text; }
    int exitOnStartValue() const override
    {
        ++checkBoxReads;
        return checkBox;
    }
    void showMessage(const Text &text) override { messages.push_back(text); }
    bool startProgram(const Text &program, const Text &argument, Text *reason) override
    {
        starts.push_back({program, argument});
        if (failWith.empty())
            return true;
        *reason = failWith;
        return false;
    }
    void endImmediately() override { ++endCalls; }
};

const Text prompt = t("Please make sure to select the Executable and a ROM image.");

// A logic that has been loaded, with both files chosen.
struct Chosen
{
    FakeHost host;
    LaunchLogic logic {host};

    Chosen()
    {
        logic.Form_Load();
        logic.markExecutableSelected();
        logic.markRomSelected();
    }
};

} // namespace

TEST_CASE("Load sets the prompt and clears both flags; choosing sets them")
{
    FakeHost host;
    LaunchLogic logic(host);
    logic.Form_Load();
    CHECK(logic.strPrompt == prompt);
    CHECK(logic.strExeSelected == t("False"));
    CHECK(logic.strRomSelected == t("False"));

    logic.markExecutableSelected();
    logic.markRomSelected();
    CHECK(logic.strExeSelected == t("True"));
    CHECK(logic.strRomSelected == t("True"));
}

TEST_CASE("Preview composes the command line, unquoted, without starting anything")
{
    struct Row
    {
        const char *name, *exe, *rom, *expected;
    };
    const Row rows[] = {
            {"nothing chosen", "*.exe", "*.vb", "*.exe *.vb"},
            {"only the ROM", "*.exe", "C:\\ROMS\\GAME.VB", "*.exe C:\\ROMS\\GAME.VB"},
            {"both", "C:\\EMU\\EMU.EXE", "C:\\ROMS\\GAME.VB", "C:\\EMU\\EMU.EXE C:\\ROMS\\GAME.VB"},
            {"spaces kept unquoted", "/opt/my emu/ruxa", "/roms/Mario Clash.vb",
             "/opt/my emu/ruxa /roms/Mario Clash.vb"},
            {"percent signs are not placeholders", "/e/%1", "/r/%2 100%.vb", "/e/%1 /r/%2 100%.vb"},
    };
    for (const Row &row : rows) {
        CAPTURE(row.name);
        FakeHost host;
        host.exeFileName = t(row.exe);
        host.romFileName = t(row.rom);
        LaunchLogic logic(host);
        logic.Form_Load();
        logic.cmdPreview_Click();

        CHECK(host.previewText == t(row.expected));
        CHECK(host.starts.empty());
        CHECK(logic.strExeSelected == t("False"));
    }
}

TEST_CASE("Run needs both selections, and reads nothing else without them")
{
    struct Row
    {
        const char *name;
        bool exeChosen, romChosen;
        int exitOnStart;
    };
    const Row rows[] = {
            {"nothing chosen", false, false, 0},
            {"only the ROM", false, true, 0},
            {"only the executable", true, false, 0},
            {"exit on start, ROM missing", true, false, 1},
    };
    for (const Row &row : rows) {
        CAPTURE(row.name);
        FakeHost host;
        host.checkBox = row.exitOnStart;
        LaunchLogic logic(host);
        logic.Form_Load();
        if (row.exeChosen) {
            host.exeFileName = t("/emu/ruxa");
            logic.markExecutableSelected();
        }
        if (row.romChosen) {
            host.romFileName = t("/roms/game.vb");
            logic.markRomSelected();
        }
        logic.cmdRun_Click();

        CHECK(host.messages == std::vector<Text> {prompt});
        CHECK(host.starts.empty());
        CHECK(host.checkBoxReads == 0);
        CHECK(host.endCalls == 0);
    }
}

TEST_CASE("Run starts the program with the ROM path as its one argument")
{
    FakeHost host;
    LaunchLogic logic(host);
    logic.Form_Load();
    // Chosen in the other order: the ROM first.
    host.romFileName = t("/roms/Wario Land \"$(rm -rf ~)\"; `x`.vb");
    logic.markRomSelected();
    host.exeFileName = t("/opt/my emu/ruxa");
    logic.markExecutableSelected();
    logic.cmdRun_Click();

    CHECK(host.messages.empty());
    REQUIRE(host.starts.size() == 1);
    CHECK(host.starts[0].program == host.exeFileName);
    CHECK(host.starts[0].argument == host.romFileName);
    CHECK(host.endCalls == 0);
}

TEST_CASE("Run composes afresh, ignoring an older preview")
{
    Chosen chosen;
    chosen.host.exeFileName = t("/emu/old");
    chosen.host.romFileName = t("/roms/old.vb");
    chosen.logic.cmdPreview_Click();
    chosen.host.exeFileName = t("/emu/new");
    chosen.host.romFileName = t("/roms/new.vb");
    chosen.logic.cmdRun_Click();

    CHECK(chosen.host.previewText == t("/emu/old /roms/old.vb"));
    REQUIRE(chosen.host.starts.size() == 1);
    CHECK(chosen.host.starts[0].program == t("/emu/new"));
    CHECK(chosen.host.starts[0].argument == t("/roms/new.vb"));
}

TEST_CASE("Exit On Start ends the program only when checked")
{
    struct Row
    {
        const char *name;
        int value, expectedEnds;
    };
    const Row rows[] = {{"unchecked", 0, 0}, {"checked", 1, 1}, {"greyed", 2, 0}};
    for (const Row &row : rows) {
        CAPTURE(row.name);
        Chosen chosen;
        chosen.host.checkBox = row.value;
        chosen.logic.cmdRun_Click();

        CHECK(chosen.host.starts.size() == 1);
        CHECK(chosen.host.endCalls == row.expectedEnds);
    }
}

TEST_CASE("A failed start is reported with the reason and never ends the program")
{
    Chosen chosen;
    chosen.host.checkBox = 1;
    chosen.host.failWith = t("There is no such file.");
    chosen.host.exeFileName = t("/gone/ruxa");
    chosen.logic.cmdRun_Click();

    CHECK(chosen.host.starts.size() == 1);
    CHECK(chosen.host.messages
          == std::vector<Text> {t("Could not start \"/gone/ruxa\":\nThere is no such file.")});
    CHECK(chosen.host.checkBoxReads == 0);
    CHECK(chosen.host.endCalls == 0);
    CHECK(chosen.logic.strExeSelected == t("True"));
    CHECK(chosen.logic.strRomSelected == t("True"));
}

TEST_CASE("Run twice starts twice")
{
    Chosen chosen;
    chosen.logic.cmdRun_Click();
    chosen.logic.cmdRun_Click();

    CHECK(chosen.host.starts.size() == 2);
    CHECK(chosen.host.messages.empty());
    CHECK(chosen.host.endCalls == 0);
}
