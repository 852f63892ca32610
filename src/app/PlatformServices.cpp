#include "app/PlatformServices.h"

#include "archive/ArchiveLibrary.h"

namespace vnt {

void installPlatformServices(EditorContext& ctx)
{
    ctx.archive = makeArchiveLibrary();
}

} // namespace vnt
