#pragma once

#include "editor/EditorContext.h"

#include <QString>
#include <QtGlobal>

namespace vnt {

constexpr qint32 HKEY_CLASSES_ROOT_KEY = qint32(0x80000000u);
constexpr qint32 HKEY_CURRENT_USER_KEY = qint32(0x80000001u);
constexpr qint32 HKEY_LOCAL_MACHINE_KEY = qint32(0x80000002u);

// A string value of the registry through cRegistry; empty when the key or the
// value is missing.
QString GetRegistryValue(EditorContext& ctx, qint32 hive, const QString& keyPath, const QString& valueName);

// The installation folder as a native folder of this machine, with its trailing
// separator (a Windows path from a Wine prefix's registry becomes the folder it
// stands for); empty when it cannot be translated.
QString nativeInstallFolder(EditorContext& ctx, const QString& storedValue);

// The game's archive below the installation folder: outside Windows the path on
// disk when its names differ from "gamedata" and "aidata.viv" only in letter case
// (as Wine finds it), else the path as written.
QString proposedArchivePath(const QString& installDir);

// The Browse button: lets the user pick an aidata.viv file.
void btnBrowseAIFile_Click(EditorContext& ctx);

// Takes a chosen archive path: records it, shows it, enables the skill list.
void SetAIFile(EditorContext& ctx, const QString& path);

bool FileExists(const QString& path);
// The last component of a path; works on the text alone.
QString GetFileName(const QString& path);

} // namespace vnt
