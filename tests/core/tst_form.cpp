// The windows' places once captions need more room than specified, on both
// platforms.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctesttext.h"

#include "form.h"

#include <iterator>

using namespace Form;

namespace {

constexpr std::size_t controlCount = std::size(launcherControls);

std::size_t indexOf(Id id)
{
    for (std::size_t i = 0; i < controlCount; ++i)
        if (launcherControls[i].id == id)
            return i;
    return controlCount;
}

Layout launcherWith(std::initializer_list<std::pair<Id, Need>> given)
{
    std::vector<Need> needs(controlCount);
    for (const auto &[id, need] : given)
        needs[indexOf(id)] = need;
    return fitCaptions(launcherControls, controlCount, launcher, needs);
}

bool same(const Rect &a, const Rect &b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

const Rect &place(const Layout &layout, Id id)
{
    return layout.places[indexOf(id)];
}

} // namespace

TEST_CASE("Captions that fit leave every place as specified")
{
    // Needs no larger than the places, as with the font the places were set for.
    const Layout layout = launcherWith({{fraExecute, {0, 240}},
                                        {cmdRun, {6135, 375}},
                                        {chkExit, {1215, 255}},
                                        {cmdQuit, {900, 300}}});
    for (std::size_t i = 0; i < controlCount; ++i)
        CHECK(same(layout.places[i], launcherControls[i].place));
    CHECK(layout.clientWidth == launcher.clientWidth);
    CHECK(layout.clientHeight == launcher.clientHeight);

    const Layout about = fitCaptions(&aboutOK, 1, Form::about, {});
    CHECK(same(about.places[0], aboutOK.place));
    CHECK(about.clientHeight == Form::about.clientHeight);
}

TEST_CASE("A tall frame caption moves the frame's controls below it, and all below it down")
{
    // Each frame's caption 60 twips taller than the room above its controls.
    const Layout layout
            = launcherWith({{fraExecute, {0, 300}}, {fraROM, {0, 300}}, {fraCommand, {0, 300}}});
    CHECK(same(place(layout, fraExecute), {120, 0, 6015, 795}));
    CHECK(same(place(layout, cmdExecute), {120, 300, 1335, 375}));
    CHECK(same(place(layout, txtExecute), {1560, 300, 4335, 375}));
    CHECK(same(place(layout, fraROM), {120, 900, 6015, 795}));
    CHECK(same(place(layout, cmdROM), {120, 300, 1335, 375}));
    CHECK(same(place(layout, fraCommand), {120, 1800, 6015, 795}));
    CHECK(same(place(layout, cmdRun), {120, 2700, 6135, 375}));
    CHECK(same(place(layout, chkExit), {600, 3180, 1215, 255}));
    CHECK(same(place(layout, cmdQuit), {2400, 3180, 1575, 375}));
    CHECK(layout.clientWidth == launcher.clientWidth);
    CHECK(layout.clientHeight == launcher.clientHeight + 180);
}

TEST_CASE("A taller button makes its row taller; the others in the row keep their height")
{
    const Layout layout = launcherWith({{cmdROM, {0, 450}}, {cmdQuit, {0, 450}}});
    CHECK(same(place(layout, cmdROM), {120, 240, 1335, 450}));
    CHECK(same(place(layout, txtROM), {1560, 240, 4335, 375}));
    CHECK(same(place(layout, fraROM), {120, 840, 6015, 810}));
    CHECK(same(place(layout, fraCommand), {120, 1755, 6015, 735}));
    CHECK(same(place(layout, chkExit), {600, 3075, 1215, 255}));
    CHECK(same(place(layout, cmdQuit), {2400, 3075, 1575, 450}));
    CHECK(layout.clientHeight == launcher.clientHeight + 150);
}

TEST_CASE("A wide check box caption takes the room before Quit, then pushes Quit along")
{
    // Room for it up to a margin before Quit: it grows there alone.
    Layout layout = launcherWith({{chkExit, {1680, 255}}});
    CHECK(same(place(layout, chkExit), {600, 3000, 1680, 255}));
    CHECK(same(place(layout, cmdQuit), {2400, 3000, 1575, 375}));

    // Wider: Quit moves along, a margin after it.
    layout = launcherWith({{chkExit, {2100, 300}}});
    CHECK(same(place(layout, chkExit), {600, 3000, 2100, 300}));
    CHECK(same(place(layout, cmdQuit), {2820, 3000, 1575, 375}));
    CHECK(layout.clientWidth == launcher.clientWidth);
    CHECK(layout.clientHeight == launcher.clientHeight);

    // So wide that Quit passes the window's edge: the window widens, keeping its margin.
    layout = launcherWith({{chkExit, {5000, 255}}});
    CHECK(same(place(layout, cmdQuit), {5720, 3000, 1575, 375}));
    CHECK(layout.clientWidth == 5720 + 1575 + 120);
}

TEST_CASE("About's OK, taller, makes the window taller")
{
    const Layout about = fitCaptions(&aboutOK, 1, Form::about, {{0, 450}});
    CHECK(same(about.places[0], {1680, 3600, 2055, 450}));
    CHECK(about.clientHeight == Form::about.clientHeight + 75);
    CHECK(about.clientWidth == Form::about.clientWidth);
}
