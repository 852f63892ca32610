#include "editor/PlatformServices.h"

#include "archive/ArchiveAccess.h"
#include "registry/PlatformRegistry.h"

namespace vnt {

void installPlatformServices(EditorContext& ctx)
{
    ctx.archive = makeArchiveAccess();
    ctx.registry = makePlatformRegistry();
}

} // namespace vnt
