#pragma once

#include "editor/EditorContext.h"

namespace vnt {

void btnExportVNTSettings_Click(EditorContext& ctx);
void btnImportVNTSettings_Click(EditorContext& ctx);

// The skill level (1 to 3) a settings file names, at positions 17 and 18 as a
// 16-bit integer; a file too short to hold it, or naming another number, is
// refused with err::BadFileFormat before anything changes.
int SettingsFileSkillIndex(const QString& path);

} // namespace vnt
