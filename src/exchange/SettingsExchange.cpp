// Placeholder until this subsystem lands.
#include "exchange/SettingsExchange.h"

namespace vnt {
void btnExportVNTSettings_Click(EditorContext&) {}
void btnImportVNTSettings_Click(EditorContext&) {}
} // namespace vnt
