#include "services/GameArchive.h"

#include "registry/GameKey.h"
#include "registry/WinePrefixes.h"

#include <QDir>

namespace vnt {

const QString GameRegistryKey = QString::fromLatin1(game::RegistryKey);
const QString GameRegistryValue = QString::fromLatin1(game::RegistryValue);

QString nativeInstallFolder(const RegistryBackend* registry, const QString& storedValue)
{
    if (!registry || storedValue.isEmpty())
        return QString();
    return registry->toNativePath(storedValue);
}

QString archiveInInstallFolder(const QString& installFolder)
{
    const QString folder = QString::fromLatin1(game::ArchiveFolder);
    const QString name = QString::fromLatin1(game::ArchiveName);
    const QString written = installFolder + folder + QDir::separator() + name;
#ifdef Q_OS_WIN
    return written; // Windows finds the names in any letter case itself
#else
    // As Wine finds them: the names on disk in any letter case.
    const QString found = findPathIgnoringCase(installFolder, {folder, name});
    return found.isEmpty() ? written : found;
#endif
}

QString offeredArchive(const std::shared_ptr<RegistryBackend>& registry)
{
    const QString stored = registryString(registry, qint32(reg::LocalMachine), GameRegistryKey, GameRegistryValue);
    const QString folder = nativeInstallFolder(registry.get(), stored);
    return folder.isEmpty() ? QString() : archiveInInstallFolder(folder);
}

} // namespace vnt
