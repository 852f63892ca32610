#pragma once

namespace vnt {

struct EditorContext;

// Marks in the tree every attribute whose value in the working copy differs from
// the current level's default, and every node above one, so a collapsed tree
// still shows where the changes are; with no level current nothing is marked.
// A working copy that cannot be read leaves the marks as they are.
void ShowChangeMarks(EditorContext& ctx);

} // namespace vnt
