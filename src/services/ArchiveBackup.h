#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace vnt {

// The dated backup made before the archive is changed: the archive's path, then
// ".VNT_backup_" and the month, day, hour and minute, each without leading zeros.
// A backup is never overwritten: when that name is taken, "_2", "_3", ... follows.
QString backupName(const QString& archivePath, const QDateTime& now);

// Copies the archive to its backup name (the archive's permissions kept) and
// returns that name. Nothing is stored when the copy fails.
QString backUpArchive(const QString& archivePath, const QDateTime& now);

// The backup, then the atomic store of data as the entry of that name (replaced,
// or appended when missing). Returns the backup's name.
QString backUpAndStore(const QString& archivePath, const QByteArray& entryName, const QByteArray& data, const QDateTime& now);

} // namespace vnt
