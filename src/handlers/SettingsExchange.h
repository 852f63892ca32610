#pragma once

#include "editor/EditorContext.h"

namespace vnt {

void btnExportVNTSettings_Click(EditorContext& ctx);
void btnImportVNTSettings_Click(EditorContext& ctx);

} // namespace vnt
