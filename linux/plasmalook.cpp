#include "plasmalook.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QHash>

#include <algorithm>

namespace {

// Plasma's settings file, kdeglobals, as KConfig reads it: the system's,
// then the user's over it. Groups are "[Colors:Window]", values
// "key=value"; a key's options ("font[$e]") are left out.
using Settings = QHash<QString, QString>; // "group/key" -> value

void readKdeSettings(const QString &path, Settings &settings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QString group;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = line.mid(1, line.size() - 2);
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('#')) || equals <= 0)
            continue;
        QString key = line.left(equals).trimmed();
        key.truncate(key.indexOf(QLatin1Char('[')) < 0 ? key.size() : key.indexOf(QLatin1Char('[')));
        settings.insert(group + QLatin1Char('/') + key, line.mid(equals + 1).trimmed());
    }
}

Settings kdeGlobals()
{
    QStringList folders = qEnvironmentVariable("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"))
                                  .split(QLatin1Char(':'), Qt::SkipEmptyParts);
    std::reverse(folders.begin(), folders.end());
    QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + QStringLiteral("/.config");
    folders << home;
    Settings settings;
    for (const QString &folder : std::as_const(folders))
        readKdeSettings(folder + QStringLiteral("/kdeglobals"), settings);
    return settings;
}

// A colour of Plasma's colour scheme, "r,g,b" as kdeglobals writes it; where
// the user's has none, Plasma's own scheme's, Breeze Light.
QColor schemeColour(const Settings &settings, const char *set, const char *role)
{
    static const QHash<QString, QColor> breezeLight = {
            {QStringLiteral("Window/BackgroundNormal"), QColor(239, 240, 241)},
            {QStringLiteral("Window/ForegroundNormal"), QColor(35, 38, 41)},
            {QStringLiteral("Window/ForegroundInactive"), QColor(112, 125, 138)},
            {QStringLiteral("Button/BackgroundNormal"), QColor(252, 252, 252)},
            {QStringLiteral("Button/ForegroundNormal"), QColor(35, 38, 41)},
            {QStringLiteral("Button/ForegroundInactive"), QColor(112, 125, 138)},
            {QStringLiteral("View/BackgroundNormal"), QColor(255, 255, 255)},
            {QStringLiteral("View/BackgroundAlternate"), QColor(247, 247, 247)},
            {QStringLiteral("View/ForegroundNormal"), QColor(35, 38, 41)},
            {QStringLiteral("View/ForegroundInactive"), QColor(112, 125, 138)},
            {QStringLiteral("View/ForegroundLink"), QColor(41, 128, 185)},
            {QStringLiteral("View/ForegroundVisited"), QColor(155, 89, 182)},
            {QStringLiteral("Selection/BackgroundNormal"), QColor(61, 174, 233)},
            {QStringLiteral("Selection/ForegroundNormal"), QColor(255, 255, 255)},
            {QStringLiteral("Tooltip/BackgroundNormal"), QColor(247, 247, 247)},
            {QStringLiteral("Tooltip/ForegroundNormal"), QColor(35, 38, 41)},
    };
    const QString name = QLatin1String(set) + QLatin1Char('/') + QLatin1String(role);
    const QStringList parts
            = settings.value(QStringLiteral("Colors:") + name).split(QLatin1Char(','));
    if (parts.size() >= 3) {
        bool ok[3];
        const QColor colour(parts[0].toInt(&ok[0]), parts[1].toInt(&ok[1]), parts[2].toInt(&ok[2]));
        if (ok[0] && ok[1] && ok[2] && colour.isValid())
            return colour;
    }
    return breezeLight.value(name);
}

// Plasma's colour scheme as Qt's palette, set by set as Plasma's own theme
// maps it: windows, buttons, views (the fields), selection and tooltips.
QPalette plasmaPalette(const Settings &settings)
{
    auto colour = [&settings](const char *set, const char *role) {
        return schemeColour(settings, set, role);
    };
    const QColor button = colour("Button", "BackgroundNormal");
    QPalette palette(colour("Window", "ForegroundNormal"), button, button.lighter(125),
                     button.darker(130), button.darker(120), colour("View", "ForegroundNormal"),
                     colour("View", "ForegroundNormal"), colour("View", "BackgroundNormal"),
                     colour("Window", "BackgroundNormal"));
    palette.setColor(QPalette::ButtonText, colour("Button", "ForegroundNormal"));
    palette.setColor(QPalette::AlternateBase, colour("View", "BackgroundAlternate"));
    palette.setColor(QPalette::Highlight, colour("Selection", "BackgroundNormal"));
    palette.setColor(QPalette::HighlightedText, colour("Selection", "ForegroundNormal"));
    palette.setColor(QPalette::ToolTipBase, colour("Tooltip", "BackgroundNormal"));
    palette.setColor(QPalette::ToolTipText, colour("Tooltip", "ForegroundNormal"));
    palette.setColor(QPalette::Link, colour("View", "ForegroundLink"));
    palette.setColor(QPalette::LinkVisited, colour("View", "ForegroundVisited"));
    palette.setColor(QPalette::PlaceholderText, colour("View", "ForegroundInactive"));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, colour("Window", "ForegroundInactive"));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, colour("Button", "ForegroundInactive"));
    palette.setColor(QPalette::Disabled, QPalette::Text, colour("View", "ForegroundInactive"));
    palette.setColor(QPalette::Disabled, QPalette::Base, colour("Window", "BackgroundNormal"));
    return palette;
}

} // namespace

DesktopLook plasmaLook()
{
    const Settings settings = kdeGlobals();
    DesktopLook look;
    // "Noto Sans,10,-1,5,400,0,0,0,0,0,0,0,0,0,0,1", as Qt 6 writes a font
    // (Plasma 5 wrote Qt 5's shorter form, which Qt reads too); Plasma's own
    // where the user chose none.
    QFont font;
    if (font.fromString(settings.value(QStringLiteral("General/font"),
                                       QStringLiteral("Noto Sans,10,-1,5,400,0,0,0,0,0,0,0,0,0,0,1")))) {
        // Drawn with the hinting Plasma draws its letters with, slight where
        // the user chose none.
        const QString hinting = settings.value(QStringLiteral("General/XftHintStyle"),
                                               QStringLiteral("hintslight"));
        font.setHintingPreference(hinting == QLatin1String("hintnone") ? QFont::PreferNoHinting
                                          : hinting == QLatin1String("hintslight")
                                          ? QFont::PreferVerticalHinting
                                          : QFont::PreferFullHinting);
        look.font = font;
    }
    look.palette = plasmaPalette(settings);
    return look;
}
