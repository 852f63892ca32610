#pragma once

#include "app/EditorContext.h"

#include <QString>

namespace vnt {

// Parses the definition file into ctx.definitions; a missing or malformed file
// leaves the document empty and is not reported.
void LoadDefinitions(EditorContext& ctx, const QString& path);

} // namespace vnt
