#include "services/GameArchive.h"

#include "registry/WinePrefixes.h"
#include "registry/cRegistry.h"

#include <QDir>

namespace vnt {

const QString GameRegistryKey = QStringLiteral("SOFTWARE\\Ea Sports\\NHL08\\");
const QString GameRegistryValue = QStringLiteral("Install Dir");

QString registryString(const std::shared_ptr<RegistryBackend>& registry, qint32 hive, const QString& keyPath,
                       const QString& valueName)
{
    if (!registry)
        return QString();
    cRegistry reader(registry);
    reader.setClassKey(hive);
    reader.setSectionKey(keyPath);
    reader.setValueKey(valueName);
    reader.setValueType(qint32(reg::Sz));
    const QVariant value = reader.Value();
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

QString nativeInstallFolder(const RegistryBackend* registry, const QString& storedValue)
{
    if (!registry || storedValue.isEmpty())
        return QString();
    return registry->toNativePath(storedValue);
}

QString archiveInInstallFolder(const QString& installFolder)
{
    const QString written = installFolder + QStringLiteral("gamedata") + QDir::separator() + QStringLiteral("aidata.viv");
#ifdef Q_OS_WIN
    return written; // Windows finds the names in any letter case itself
#else
    // As Wine finds them: the names on disk in any letter case.
    const QString found = findPathIgnoringCase(installFolder, {QStringLiteral("gamedata"), QStringLiteral("aidata.viv")});
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
