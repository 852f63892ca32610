// Placeholder until this subsystem lands.
#include "archive/ApplyCancel.h"

namespace vnt {
void btnApplyAIChanges_Click(EditorContext&) {}
void btnCancelAIChanges_Click(EditorContext&) {}
bool EnsureArchiveChosen(EditorContext& ctx) { return !ctx.controls.caption(Control::labAIfilePath).isEmpty(); }
} // namespace vnt
