#pragma once

#include "registry/WineRegistry.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace vnt {

// Finding a Windows game in the Wine prefixes of this user: ~/.wine and the
// prefixes the common Wine managers make. Needs nothing of the editor, so a
// command-line program can use it as well.

// The prefixes to look in, in order. winePrefix (the WINEPREFIX variable) alone
// when it is set; otherwise home/.wine, then each folder of Bottles (its own and
// its Flatpak data folder), Lutris (~/Games), PlayOnLinux, Steam's Proton
// (compatdata/*/pfx of both Steam folders) and CrossOver, by name within each
// place. A folder reached twice through links is listed once.
QStringList winePrefixCandidates(const QString& home, const QString& winePrefix);

// folder/parts... as it lies on disk: each part found by its exact name, else by
// the first entry whose name differs only in letter case, as Wine finds files.
// Empty when a part does not exist.
QString findPathIgnoringCase(const QString& folder, const QStringList& parts);

struct WineGameInstall {
    QString prefix;      // empty when no prefix names the game
    QString installDir;  // the native folder, with its separator; empty when it does not exist
    QString archivePath; // the archive as found on disk; empty when it does not exist
    // The prefix's registry, its system.reg read and parsed already; null when no
    // prefix names the game.
    std::shared_ptr<WineRegistry> registry;
};

// The first prefix whose registry names the game (registry/GameKey.h, read as the
// game sees it) and whose archive exists; when none has the archive, the first
// that names the game. Prefixes without a readable system.reg are passed over.
WineGameInstall findWineGame(const QStringList& prefixes);

} // namespace vnt
