// Placeholder until this subsystem lands.
#include "archive/ArchiveLibrary.h"

namespace vnt {
std::shared_ptr<ArchiveLibrary> makeArchiveLibrary() { return nullptr; }
} // namespace vnt
