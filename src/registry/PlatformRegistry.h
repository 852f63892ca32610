#pragma once

#include "registry/RegistryBackend.h"

#include <memory>

namespace vnt {

// The registry of this machine: the Windows registry on Windows; elsewhere the
// registry files of the Wine prefix the game would run in ($WINEPREFIX, else
// ~/.wine).
std::shared_ptr<RegistryBackend> makePlatformRegistry();

} // namespace vnt
