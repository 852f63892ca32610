// Placeholder until this subsystem lands.
#include "archive/ArchiveTransfer.h"

namespace vnt {
void ArchiveTransfer(EditorContext&, int, const QString&) {}
} // namespace vnt
