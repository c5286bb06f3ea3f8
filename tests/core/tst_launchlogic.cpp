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
    Text exeText = t("<none selected>");
    Text romText = t("<none selected>");
    // The file the next open-file dialog chooses; empty: it is cancelled.
    Text nextChoice;
    std::vector<Selector> dialogsShown;
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
    int aboutShown = 0;
    int aboutUnloaded = 0;
    int endCalls = 0;

    bool showOpenDialog(Selector selector) override
    {
        dialogsShown.push_back(selector);
        if (nextChoice.empty())
            return false;
        (selector == Selector::Executable ? exeFileName : romFileName) = nextChoice;
        return true;
    }
    Text selectorFileName(Selector selector) const override
    {
        return selector == Selector::Executable ? exeFileName : romFileName;
    }
    void setSelectorText(Selector selector, const Text &text) override
    {
        (selector == Selector::Executable ? exeText : romText) = text;
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
    void showAbout() override { ++aboutShown; }
    void unloadAbout() override { ++aboutUnloaded; }
    void endImmediately() override { ++endCalls; }

    // Chooses path in the selector's dialog, as its Select button does.
    void choose(LaunchLogic &logic, Selector selector, const char *path)
    {
        nextChoice = t(path);
        if (selector == Selector::Executable)
            logic.cmdExecute_Click();
        else
            logic.cmdROM_Click();
        nextChoice.clear();
    }
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
        host.choose(logic, LaunchHost::Selector::Executable, "/emu/ruxa");
        host.choose(logic, LaunchHost::Selector::Rom, "/roms/game.vb");
    }
};

} // namespace

TEST_CASE("Load sets the prompt and clears both flags; choosing a file sets its flag")
{
    FakeHost host;
    LaunchLogic logic(host);
    logic.Form_Load();
    CHECK(logic.prompt() == prompt);
    CHECK(logic.exeSelected() == t("False"));
    CHECK(logic.romSelected() == t("False"));

    host.choose(logic, LaunchHost::Selector::Rom, "/roms/Red Alarm.vb");
    CHECK(host.dialogsShown == std::vector {LaunchHost::Selector::Rom});
    CHECK(host.romText == t("/roms/Red Alarm.vb"));
    CHECK(host.exeText == t("<none selected>"));
    CHECK(logic.romSelected() == t("True"));
    CHECK(logic.exeSelected() == t("False"));

    host.choose(logic, LaunchHost::Selector::Executable, "/emu/ruxa");
    CHECK(host.exeText == t("/emu/ruxa"));
    CHECK(logic.exeSelected() == t("True"));
}

TEST_CASE("A cancelled dialog changes nothing, before a choice or after one")
{
    FakeHost host;
    LaunchLogic logic(host);
    logic.Form_Load();
    logic.cmdExecute_Click();
    CHECK(host.dialogsShown.size() == 1);
    CHECK(host.exeText == t("<none selected>"));
    CHECK(logic.exeSelected() == t("False"));

    host.choose(logic, LaunchHost::Selector::Rom, "/roms/first.vb");
    logic.cmdROM_Click();
    CHECK(host.dialogsShown.size() == 3);
    CHECK(host.romText == t("/roms/first.vb"));
    CHECK(logic.romSelected() == t("True"));
}

TEST_CASE("Quit and Exit end at once; About shows the About window; unloading unloads it")
{
    struct Row
    {
        const char *name;
        void (LaunchLogic::*procedure)();
        int ends, shown, unloaded;
    };
    const Row rows[] = {
            {"Quit", &LaunchLogic::cmdQuit_Click, 1, 0, 0},
            {"Exit", &LaunchLogic::mnuFileExit_Click, 1, 0, 0},
            {"About", &LaunchLogic::mnuHelpAbout_Click, 0, 1, 0},
            {"unload", &LaunchLogic::Form_Unload, 0, 0, 1},
    };
    for (const Row &row : rows) {
        CAPTURE(row.name);
        FakeHost host;
        LaunchLogic logic(host);
        logic.Form_Load();
        (logic.*row.procedure)();
        CHECK(host.endCalls == row.ends);
        CHECK(host.aboutShown == row.shown);
        CHECK(host.aboutUnloaded == row.unloaded);
        CHECK(host.messages.empty());
    }
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
        CHECK(logic.exeSelected() == t("False"));
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
        if (row.exeChosen)
            host.choose(logic, LaunchHost::Selector::Executable, "/emu/ruxa");
        if (row.romChosen)
            host.choose(logic, LaunchHost::Selector::Rom, "/roms/game.vb");
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
    host.choose(logic, LaunchHost::Selector::Rom, "/roms/Wario Land \"$(rm -rf ~)\"; `x`.vb");
    host.choose(logic, LaunchHost::Selector::Executable, "/opt/my emu/ruxa");
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
    CHECK(chosen.logic.exeSelected() == t("True"));
    CHECK(chosen.logic.romSelected() == t("True"));
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
