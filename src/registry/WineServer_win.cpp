#include "registry/WineServer.h"

namespace vnt {

// Windows runs no wineserver: its registry is the system's own.
WineServerState wineServerState(const QString&, const QString&)
{
    return WineServerState();
}

} // namespace vnt
