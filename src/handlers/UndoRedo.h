#pragma once

#include "editor/EditorContext.h"

namespace vnt {

// Undo and redo of the edits made to the current level's working copy (the
// platform's shortcuts). Each writes the number the edit replaced (or made) back
// into its slot as an edit does, selects and shows that attribute, and leaves
// the working copy's changes pending. With nothing to undo or redo they do nothing.
void UndoEdit(EditorContext& ctx);
void RedoEdit(EditorContext& ctx);

} // namespace vnt
