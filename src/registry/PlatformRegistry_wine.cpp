#include "registry/PlatformRegistry.h"

#include "registry/WineRegistry.h"

namespace vnt {

std::shared_ptr<RegistryBackend> makePlatformRegistry()
{
    return std::make_shared<WineRegistry>(WineRegistry::defaultPrefix());
}

} // namespace vnt
