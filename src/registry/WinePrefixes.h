#pragma once

#include "registry/WineRegFile.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vnt {

// Finding a Windows game in the Wine prefixes of this user: ~/.wine and the
// prefixes the common Wine managers make. Needs nothing of the editor, so a
// command-line program can use it as well.

// Where a game records its folder, and where its archive lies below that folder.
// The defaults name the game this editor is for.
struct WineGameKey {
    QString keyPath = QStringLiteral("Software\\Ea Sports\\NHL08"); // below HKEY_LOCAL_MACHINE
    QString valueName = QStringLiteral("Install Dir");
    QStringList archive{QStringLiteral("gamedata"), QStringLiteral("aidata.viv")};
};

// The prefixes to look in, in order. winePrefix (the WINEPREFIX variable) alone
// when it is set; otherwise home/.wine, then each folder of Bottles (its own and
// its Flatpak data folder), Lutris (~/Games), PlayOnLinux, Steam's Proton
// (compatdata/*/pfx of both Steam folders) and CrossOver, by name within each
// place. A folder reached twice through links is listed once.
QStringList winePrefixCandidates(const QString& home, const QString& winePrefix);

// Only the sections of a registry file's text whose key path equals keyPath
// (letter case ignored, separators "\"), parsed as the whole file would be, with
// the file's header lines (its #arch among them). Reads the other sections'
// header lines only.
WineHive parseWineSections(const QByteArray& text, const QStringList& keyPaths);

// A string value below HKEY_LOCAL_MACHINE in the text of a prefix's system.reg,
// as a 32-bit program sees it (Software\Wow6432Node first in a 64-bit prefix),
// without its terminating NUL. Nothing when the key or a string value is missing.
std::optional<QString> wineMachineString(const QByteArray& systemReg, const QString& keyPath, const QString& valueName);

// folder/parts... as it lies on disk: each part found by its exact name, else by
// the first entry whose name differs only in letter case, as Wine finds files.
// Empty when a part does not exist.
QString findPathIgnoringCase(const QString& folder, const QStringList& parts);

struct WineGameInstall {
    QString prefix;      // empty when no prefix names the game
    QString installDir;  // the native folder, with its separator; empty when it does not exist
    QString archivePath; // the archive as found on disk; empty when it does not exist
};

// The first prefix whose registry names the game and whose archive exists; when
// none has the archive, the first that names the game. Prefixes without a
// readable system.reg are passed over.
WineGameInstall findWineGame(const QStringList& prefixes, const WineGameKey& game = WineGameKey());

} // namespace vnt
