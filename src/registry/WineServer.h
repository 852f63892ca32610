#pragma once

#include <QString>

namespace vnt {

// The folder in which the wineserver of a prefix keeps its socket while it runs:
// "<root>/server-<device>-<inode>" of the prefix folder, the root being
// /tmp/.wine-<uid> unless given. Empty when it cannot be told (no such prefix, or a
// system without Wine).
QString wineServerFolder(const QString& prefix, const QString& root = QString());

} // namespace vnt
