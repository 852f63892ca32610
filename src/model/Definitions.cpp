// Placeholder until this subsystem lands.
#include "model/Definitions.h"

namespace vnt {
void LoadDefinitions(EditorContext& ctx, const QString& path) { ctx.definitions.load_file(path.toLocal8Bit().constData()); }
} // namespace vnt
