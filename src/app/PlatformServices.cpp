#include "app/PlatformServices.h"

#include "archive/ArchiveLibrary.h"
#include "registry/PlatformRegistry.h"

namespace vnt {

void installPlatformServices(EditorContext& ctx)
{
    ctx.archive = makeArchiveLibrary();
    ctx.registry = makePlatformRegistry();
}

} // namespace vnt
