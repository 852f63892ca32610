// Must not compile: the archive container knows nothing of the registry.
#include "registry/cRegistry.h"
