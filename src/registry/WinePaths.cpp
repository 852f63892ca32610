// Windows paths of a Wine prefix as paths of this machine.
#include "registry/WinePrefixes.h"
#include "registry/WineRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace vnt {

namespace {

// The entry of folder called name, found as Wine finds it: by the exact name,
// else by the first entry whose name differs only in letter case.
QString findEntry(const QString& folder, const QString& name)
{
    if (QFileInfo::exists(folder + QLatin1Char('/') + name))
        return name;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                                       QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}

QString joined(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

QString findPathIgnoringCase(const QString& folder, const QStringList& parts)
{
    if (folder.isEmpty())
        return QString();
    QString path = folder;
    for (const QString& part : parts) {
        const QString entry = findEntry(path, part);
        if (entry.isEmpty())
            return QString();
        path = joined(path, entry);
    }
    return path;
}

QString WineRegistry::toNativePath(const QString& storedPath) const
{
    if (storedPath.size() < 2 || storedPath[1] != QLatin1Char(':') || !storedPath[0].isLetter() || storedPath[0].unicode() > 127)
        return QString();
    const QFileInfo drive(prefix_ + QStringLiteral("/dosdevices/") + storedPath[0].toLower() + QLatin1Char(':'));
    const QString root = drive.canonicalFilePath();
    if (root.isEmpty() || !QFileInfo(root).isDir())
        return QString();

    QStringList found;
    const QStringList parts = storedPath.mid(2).split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!found.isEmpty())
                found.removeLast();
            continue;
        }
        QString folder = root;
        for (const QString& name : found)
            folder = joined(folder, name);
        const QString entry = findEntry(folder, part);
        if (entry.isEmpty())
            return QString();
        found.append(entry);
    }
    QString native = root;
    for (const QString& name : found)
        native = joined(native, name);
    const bool trailing = storedPath.endsWith(QLatin1Char('\\')) || storedPath.endsWith(QLatin1Char('/'));
    if (trailing && !native.endsWith(QLatin1Char('/')))
        native += QLatin1Char('/');
    return native;
}

} // namespace vnt
