#pragma once

#include "editor/EditorContext.h"

namespace vnt {

// Gives the program's context the services of this platform: the registry where
// the game is looked up, the archive library.
void installPlatformServices(EditorContext& ctx);

} // namespace vnt
