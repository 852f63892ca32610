#include "registry/PlatformRegistry.h"

#include "registry/WinePrefixes.h"
#include "registry/WineRegistry.h"

#include <QDir>

#include <utility>

namespace vnt {

std::shared_ptr<RegistryBackend> makePlatformRegistry()
{
    // The prefix that names the game comes with its registry read already.
    WineGameInstall found = findWineGame(winePrefixCandidates(QDir::homePath(), qEnvironmentVariable("WINEPREFIX")));
    if (found.registry)
        return std::move(found.registry);
    return std::make_shared<WineRegistry>(WineRegistry::defaultPrefix());
}

} // namespace vnt
