#pragma once

#include "registry/RegistryBackend.h"

#include <memory>

namespace vnt {

// The registry of this machine: the Windows registry on Windows; elsewhere the
// registry files of the Wine prefix the game is found in (see findWineGame;
// $WINEPREFIX alone when it is set), else of $WINEPREFIX or ~/.wine.
std::shared_ptr<RegistryBackend> makePlatformRegistry();

} // namespace vnt
