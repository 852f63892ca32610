#include "services/SettingsFile.h"

#include "base/Error.h"
#include "base/FileOps.h"
#include "model/TypedValue.h"

#include <QDir>
#include <QFileInfo>

namespace vnt {

namespace {

constexpr QFileDevice::Permissions SharedFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                                | QFileDevice::ReadOther;

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

void requireWithinLimit(const QString& path, qint64 size)
{
    if (size > SettingsMaximumSize)
        throw Error(err::BadFileFormat, QStringLiteral("'%1' holds %2 bytes; a settings file has at most %3.")
                                            .arg(nativePath(path))
                                            .arg(size)
                                            .arg(SettingsMaximumSize));
}

// The bytes with the skill index, a 16-bit little-endian integer, set to index.
QByteArray withSkillIndex(QByteArray bytes, int index)
{
    bytes[SkillIndexPosition - 1] = char(index);
    bytes[SkillIndexPosition] = 0;
    return bytes;
}

} // namespace

void requireSkillIndexRoom(const QString& path, qint64 size)
{
    if (size < SettingsMinimumSize)
        throw Error(err::BadFileFormat, QStringLiteral("'%1' holds %2 bytes; a settings file has at least %3.")
                                            .arg(nativePath(path))
                                            .arg(size)
                                            .arg(SettingsMinimumSize));
}

int settingsFileLevel(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        throw Error(err::FileNotFound, QStringLiteral("File not found: '%1'").arg(nativePath(path)));
    requireSkillIndexRoom(path, info.size());
    requireWithinLimit(path, info.size());
    QString form = QStringLiteral("INT");
    const int index = ReadValue(path, path, SkillIndexPosition, form).int16();
    if (index < 1 || index > 3)
        throw Error(err::BadFileFormat, QStringLiteral("'%1' is not a settings file of this editor: it names skill level %2, "
                                                       "but only 1 (Easy), 2 (Medium) and 3 (Difficlt) exist.")
                                            .arg(nativePath(path))
                                            .arg(index));
    return index;
}

void writeSettingsFile(const QString& source, const QString& target, int level)
{
    const QByteArray bytes = readFile(source);
    requireSkillIndexRoom(source, bytes.size());
    // Written in one atomic step, so a failure leaves an earlier file at target whole.
    writeFileAtomically(target, withSkillIndex(bytes, level), SharedFile);
}

QByteArray settingsEntryBytes(const QString& path)
{
    const QByteArray bytes = readFile(path);
    // The file may have changed since it was checked.
    requireSkillIndexRoom(path, bytes.size());
    requireWithinLimit(path, bytes.size());
    return withSkillIndex(bytes, 0);
}

} // namespace vnt
