#pragma once

#include "registry/RegistryBackend.h"
#include "registry/RegistryString.h"

#include <QString>
#include <QtGlobal>

#include <memory>

namespace vnt {

// Where the game's installation folder is recorded: under HKEY_LOCAL_MACHINE
// (registry/GameKey.h).
extern const QString GameRegistryKey;
extern const QString GameRegistryValue;

// The stored installation folder as a native folder of this machine, with its
// trailing separator; empty when it stands for nothing here.
QString nativeInstallFolder(const RegistryBackend* registry, const QString& storedValue);

// The archive inside an installation folder: gamedata, then aidata.viv, each
// found on disk without regard to letter case outside Windows; as written when
// nothing is there.
QString archiveInInstallFolder(const QString& installFolder);

// The archive the editor offers at start-up, found through the registry; empty
// when the registry names no installation.
QString offeredArchive(const std::shared_ptr<RegistryBackend>& registry);

} // namespace vnt
