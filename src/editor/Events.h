#pragma once

#include "editor/EditorContext.h"
#include "base/Error.h"

#include <functional>

namespace vnt {

using Handler = std::function<void(EditorContext&)>;

// Runs one event handler as one transaction (editor/Transaction.h). On a failure
// the shared state, the window and the working copies are put back as they were
// before the handler began (or at its last completed store), then the failure is
// shown in the error box with its number and description; the editor keeps running.
// Either way the tree's change marks then follow the working copy (ChangeMarks.h).
void runHandler(EditorContext& ctx, const Handler& handler);

// Shows a failure in the error box.
void reportError(EditorContext& ctx, const Error& error);

// Runs the handler of a control whose state changed, by the user or from code.
// Inside another handler a failure is kept and raised again by selectSkill, so
// the outer handler stops as well.
void runChangeHandler(EditorContext& ctx, const Handler& handler);

// Sets the skill list's selection from code; the skill-list handler runs before
// this returns (unless the index is already selected) and its failure is raised here.
void selectSkill(EditorContext& ctx, int index);

} // namespace vnt
