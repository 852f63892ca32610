#pragma once

#include <QString>

namespace vnt {

// What can be told of the wineserver of a Wine prefix.
struct WineServerState {
    enum Kind { Stopped, Running, Unknown };
    Kind kind = Stopped;
    // Running: the server's folder; Unknown: why it cannot be told.
    QString detail;
};

// Finds the wineserver of a prefix where Wine finds it. Its folder is named
// "server-<device>-<inode>" (in hex) after the prefix folder and lies in
// "/tmp/.wine-<uid>" or, with Debian's Wine, in the folder that the prefix's
// "wineserver" file names relative to the temporary folder ($TMPDIR, else /tmp). The
// server runs while it holds the lock on the folder's "lock" file; a server that
// ended leaves its folder and that file behind, unlocked.
// tempRoot: the temporary folder to look in instead of $TMPDIR and /tmp.
WineServerState wineServerState(const QString& prefix, const QString& tempRoot = QString());

} // namespace vnt
