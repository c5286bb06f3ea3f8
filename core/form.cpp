#include "form.h"

#include <algorithm>
#include <iterator>

namespace Form {

std::string pictureWords()
{
    return std::string(Identity::name) + ", version " + Identity::versionText + ". "
            + Identity::comment + ' ' + Identity::company + '.';
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
