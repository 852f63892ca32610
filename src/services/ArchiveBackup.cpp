#include "services/ArchiveBackup.h"

#include "archive/VivArchive.h"
#include "base/FileOps.h"

#include <QFileInfo>

namespace vnt {

QString backupName(const QString& archivePath, const QDateTime& now)
{
    const QString dated = archivePath + QStringLiteral(".VNT_backup_") + QString::number(now.date().month())
                          + QString::number(now.date().day()) + QString::number(now.time().hour())
                          + QString::number(now.time().minute());
    QString name = dated;
    // Names repeat within a minute, and across dates (11 January and 1 November).
    for (int n = 2; QFileInfo::exists(name) || isSymLink(name); ++n)
        name = dated + QLatin1Char('_') + QString::number(n);
    return name;
}

QString backUpArchive(const QString& archivePath, const QDateTime& now)
{
    const QString backup = backupName(archivePath, now);
    const QFileInfo info(archivePath);
    copyFile(archivePath, backup, info.exists() ? info.permissions() : PrivateFile);
    return backup;
}

QString backUpAndStore(const QString& archivePath, const QByteArray& entryName, const QByteArray& data, const QDateTime& now)
{
    // A file that is no archive is refused before the backup is made.
    VivArchive::open(archivePath);
    const QString backup = backUpArchive(archivePath, now);
    VivArchive::store(archivePath, entryName, data);
    return backup;
}

} // namespace vnt
