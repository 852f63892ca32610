#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace vnt {

// A settings file is the working copy of one skill level with the level's index
// (1 Easy, 2 Medium, 3 Difficlt) at positions 17 and 18 (counted from 1), as a
// 16-bit little-endian integer.
constexpr int SkillIndexPosition = 17;
constexpr qint64 SettingsMinimumSize = SkillIndexPosition + 1;
// Far above any skill level's entry: a larger file is refused before it is read.
constexpr qint64 SettingsMaximumSize = qint64(16) * 1024 * 1024;

// Throws err::BadFileFormat when a file of that size cannot hold the skill index.
void requireSkillIndexRoom(const QString& path, qint64 size);

// The skill level the settings file at path names, checked before anything
// changes: err::FileNotFound when it is missing, err::BadFileFormat when it is
// shorter than 18 bytes, larger than the limit (its size taken from the file
// system, without reading it) or names no level 1 to 3.
int settingsFileLevel(const QString& path);

// Writes the working copy at source to target as the settings file of level.
void writeSettingsFile(const QString& source, const QString& target, int level);

// The bytes of a checked settings file as they go into the archive: positions 17
// and 18 hold 00 00, as in the editor's import copy.
QByteArray settingsEntryBytes(const QString& path);

} // namespace vnt
