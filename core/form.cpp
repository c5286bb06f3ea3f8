#include "form.h"

#include <algorithm>
#include <climits>
#include <iterator>

namespace Form {

std::string pictureWords()
{
    return std::string(Identity::name) + ", version " + Identity::versionText + ". "
            + Identity::comment + ' ' + Identity::company + '.';
}

namespace {

// A frame's margin round its controls: the least gap kept between two
// controls side by side once one of them has grown.
constexpr int margin = 120;

struct Fitting
{
    const Control *controls;
    std::size_t count;
    const std::vector<Need> &needs;
    std::vector<Rect> &places;

    Need need(std::size_t i) const { return i < needs.size() ? needs[i] : Need(); }

    // Fits the controls in one container, the window (none) or a frame, whose
    // caption the controls must stay below, into places; returns the room
    // their places now take, right and bottom, past what was specified.
    std::pair<int, int> fit(Id container, int captionHeight)
    {
        std::vector<std::size_t> members;
        for (std::size_t i = 0; i < count; ++i)
            if (controls[i].frame == container)
                members.push_back(i);
        if (members.empty())
            return {0, 0};
        std::sort(members.begin(), members.end(), [this](std::size_t a, std::size_t b) {
            return controls[a].place.top < controls[b].place.top;
        });

        // What each wants, a frame by what its own controls and caption want.
        std::vector<Need> wanted(count);
        for (std::size_t i : members) {
            const Rect &spec = controls[i].place;
            if (controls[i].kind == Frame) {
                const auto [wider, taller] = fit(controls[i].id, need(i).height);
                wanted[i] = {spec.width + wider, spec.height + taller};
            } else {
                wanted[i] = {std::max(spec.width, need(i).width),
                             std::max(spec.height, need(i).height)};
            }
        }

        // Row by row, top down: a row is the controls side by side.
        int down = 0;
        if (container != none) {
            int top = INT_MAX;
            for (std::size_t i : members)
                top = std::min(top, controls[i].place.top);
            down = std::max(0, captionHeight - top);
        }
        int specRight = 0, specBottom = 0, right = 0, bottom = 0;
        for (std::size_t first = 0; first < members.size();) {
            std::size_t last = first + 1;
            int rowBottom = controls[members[first]].place.top + controls[members[first]].place.height;
            while (last < members.size() && controls[members[last]].place.top < rowBottom) {
                const Rect &spec = controls[members[last]].place;
                rowBottom = std::max(rowBottom, spec.top + spec.height);
                ++last;
            }
            std::vector<std::size_t> row(members.begin() + long(first), members.begin() + long(last));
            std::sort(row.begin(), row.end(), [this](std::size_t a, std::size_t b) {
                return controls[a].place.left < controls[b].place.left;
            });
            int across = 0, grown = 0;
            for (std::size_t k = 0; k < row.size(); ++k) {
                const Rect &spec = controls[row[k]].place;
                Rect &place = places[row[k]];
                place = {spec.left + across, spec.top + down, wanted[row[k]].width,
                         wanted[row[k]].height};
                if (k > 0) {
                    const Rect &before = places[row[k - 1]];
                    const Rect &specBefore = controls[row[k - 1]].place;
                    const int gap = std::min(margin, spec.left - specBefore.left - specBefore.width);
                    const int past = before.left + before.width + gap - place.left;
                    if (past > 0) {
                        place.left += past;
                        across += past;
                    }
                }
                grown = std::max(grown, place.height - spec.height);
                specRight = std::max(specRight, spec.left + spec.width);
                specBottom = std::max(specBottom, spec.top + spec.height);
                right = std::max(right, place.left + place.width);
                bottom = std::max(bottom, place.top + place.height);
            }
            down += grown;
            first = last;
        }
        return {std::max(0, right - specRight), std::max(0, bottom - specBottom)};
    }
};

} // namespace

Layout fitCaptions(const Control *controls, std::size_t count, const Window &window,
                   const std::vector<Need> &needs)
{
    Layout layout {std::vector<Rect>(count), window.clientWidth, window.clientHeight};
    Fitting fitting {controls, count, needs, layout.places};
    const auto [wider, taller] = fitting.fit(none, 0);
    layout.clientWidth += wider;
    layout.clientHeight += taller;
    return layout;
}

const Selector &selector(LaunchHost::Selector which)
{
    return *std::find_if(std::begin(selectors), std::end(selectors),
                         [which](const Selector &s) { return s.which == which; });
}

const Control &control(Id id)
{
    return *std::find_if(std::begin(launcherControls), std::end(launcherControls),
                         [id](const Control &c) { return c.id == id; });
}

Procedure procedureOf(int id)
{
    for (const Event &event : events)
        if (event.id == id)
            return event.procedure;
    return nullptr;
}

} // namespace Form
