#include "registry/WineServer.h"

namespace vnt {

// Windows runs no wineserver: its registry is the system's own.
QString wineServerFolder(const QString&, const QString&)
{
    return QString();
}

} // namespace vnt
