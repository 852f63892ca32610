#include "registry/PlatformRegistry.h"

#include "registry/WinePrefixes.h"
#include "registry/WineRegistry.h"

#include <QDir>

namespace vnt {

std::shared_ptr<RegistryBackend> makePlatformRegistry()
{
    const QString found = findWineGame(winePrefixCandidates(QDir::homePath(), qEnvironmentVariable("WINEPREFIX"))).prefix;
    return std::make_shared<WineRegistry>(found.isEmpty() ? WineRegistry::defaultPrefix() : found);
}

} // namespace vnt
