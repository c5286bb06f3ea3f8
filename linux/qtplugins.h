#pragma once

#include <QString>

// Whether Qt can find a plugin of this kind ("platforms", "platformthemes")
// whose file matches pattern, where Qt looks for plugins. Usable before the
// toolkit starts.
bool qtPluginInstalled(const QString &kind, const QString &pattern);
