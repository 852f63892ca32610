// The Wine prefixes of this user, and the game among them.
#include "registry/WinePrefixes.h"

#include "registry/GameKey.h"
#include "registry/RegistryString.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace vnt {

namespace {

// Where the Wine managers keep their prefixes, below the home folder: each
// folder there (with the given part below it) is one prefix.
struct PrefixPlace {
    const char* parent;
    const char* below;
};
constexpr PrefixPlace ManagerPlaces[] = {
    {"/.local/share/bottles/bottles", ""},                         // Bottles
    {"/.var/app/com.usebottles.bottles/data/bottles/bottles", ""}, // Bottles from Flatpak
    {"/Games", ""},                                                // Lutris
    {"/.PlayOnLinux/wineprefix", ""},                              // PlayOnLinux
    {"/.steam/steam/steamapps/compatdata", "/pfx"},                // Steam's Proton
    {"/.local/share/Steam/steamapps/compatdata", "/pfx"},          // the same, where Steam lives
    {"/.cxoffice", ""},                                            // CrossOver
};

} // namespace

QStringList winePrefixCandidates(const QString& home, const QString& winePrefix)
{
    if (!winePrefix.isEmpty())
        return {winePrefix};
    QStringList found{home + QStringLiteral("/.wine")};
    QSet<QString> seen{QFileInfo(found.front()).canonicalFilePath()};
    for (const PrefixPlace& place : ManagerPlaces) {
        const QDir parent(home + QLatin1String(place.parent));
        const QStringList names = parent.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& name : names) {
            const QString prefix = parent.filePath(name) + QLatin1String(place.below);
            const QString real = QFileInfo(prefix).canonicalFilePath();
            if (real.isEmpty() || !QFileInfo(real).isDir() || seen.contains(real))
                continue;
            seen.insert(real);
            found.append(prefix);
        }
    }
    return found;
}

WineGameInstall findWineGame(const QStringList& prefixes)
{
    const QString key = QString::fromLatin1(game::RegistryKey);
    const QString value = QString::fromLatin1(game::RegistryValue);
    const QStringList archive{QString::fromLatin1(game::ArchiveFolder), QString::fromLatin1(game::ArchiveName)};
    WineGameInstall first;
    for (const QString& prefix : prefixes) {
        // Parsed here once; the registry is handed on with the prefix it belongs to.
        auto registry = std::make_shared<WineRegistry>(prefix);
        const QString stored = registryString(registry, qint32(reg::LocalMachine), key, value);
        if (stored.isEmpty())
            continue;
        WineGameInstall install{prefix, registry->toNativePath(stored), QString(), registry};
        if (!install.installDir.isEmpty())
            install.archivePath = findPathIgnoringCase(install.installDir, archive);
        if (!install.archivePath.isEmpty() && QFileInfo(install.archivePath).isFile())
            return install;
        install.archivePath.clear();
        if (first.prefix.isEmpty())
            first = install;
    }
    return first;
}

} // namespace vnt
