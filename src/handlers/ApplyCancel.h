#pragma once

#include "editor/EditorContext.h"

namespace vnt {

// Apply: backs the archive up beside it, then stores the working copy into it.
void btnApplyAIChanges_Click(EditorContext& ctx);
// True when the user has accepted an archive (the path label shows one). Otherwise
// warns, runs Browse, and answers whether an archive was chosen then.
bool EnsureArchiveChosen(EditorContext& ctx);

// Stores the working copy into the archive the user accepted (asking for one as
// EnsureArchiveChosen does); false when none was chosen and nothing was stored.
bool StoreIntoChosenArchive(EditorContext& ctx);

// Cancel: extracts the entry again, dropping the edits.
void btnCancelAIChanges_Click(EditorContext& ctx);

} // namespace vnt
